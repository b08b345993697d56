#pragma once
// Dates as the platform keeps them: days since 1899-12-30, the fraction the time of day.

#include <string>

namespace runtime {

struct CivilDate {
  int year = 1899, month = 12, day = 30;
};

double DateSerial(int year, int month, int day);
CivilDate CivilDateOf(double serial);
int Year(double serial);
int Month(double serial);
int Day(double serial);

// "yyyy-mm-dd", with " hh:mm:ss" when the time is not midnight.
std::string DateText(double serial);

}  // namespace runtime
