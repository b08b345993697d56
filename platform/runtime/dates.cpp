#include "platform/runtime/dates.h"

#include <cmath>
#include <cstdio>

namespace runtime {
namespace {

constexpr long kEpochOffset = 25569;  // days from 1899-12-30 to 1970-01-01

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
long DaysFromCivil(long y, long m, long d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const long d = doy - (153 * mp + 2) / 5 + 1;
  const long m = mp + (mp < 10 ? 3 : -9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// The day is the whole part; the time of day is the fraction's magnitude, also before 1899.
long DayOf(double serial) { return static_cast<long>(std::trunc(serial)); }

}  // namespace

double DateSerial(int year, int month, int day) {
  // Months beyond 1..12 roll into neighbouring years, as the platform's DateSerial does.
  long y = year + (month - 1) / 12;
  long m = (month - 1) % 12;
  if (m < 0) m += 12, --y;
  return static_cast<double>(DaysFromCivil(y, m + 1, 1) + kEpochOffset + day - 1);
}

CivilDate CivilDateOf(double serial) { return CivilFromDays(DayOf(serial) - kEpochOffset); }
int Year(double serial) { return CivilDateOf(serial).year; }
int Month(double serial) { return CivilDateOf(serial).month; }
int Day(double serial) { return CivilDateOf(serial).day; }

std::string DateText(double serial) {
  if (!std::isfinite(serial)) return "";
  long day = DayOf(serial);
  long seconds = std::lround(std::fabs(serial - std::trunc(serial)) * 86400.0);
  if (seconds == 86400) seconds = 0, day += serial < 0 ? -1 : 1;  // a time that rounds to the next midnight
  const CivilDate c = CivilFromDays(day - kEpochOffset);
  char buf[48];
  if (seconds == 0)
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", c.year, c.month, c.day);
  else
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02ld:%02ld:%02ld", c.year, c.month, c.day, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
  return buf;
}

}  // namespace runtime
