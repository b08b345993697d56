#include "platform/runtime/dates.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(Dates, SerialNumbersCountDaysFrom18991230) {
  EXPECT_DOUBLE_EQ(DateSerial(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(DateSerial(1900, 1, 1), 2);
  EXPECT_DOUBLE_EQ(DateSerial(2014, 4, 28), 41757);
  EXPECT_DOUBLE_EQ(DateSerial(2014, 13, 1), DateSerial(2015, 1, 1));
  EXPECT_DOUBLE_EQ(DateSerial(2014, 0, 1), DateSerial(2013, 12, 1));
}

TEST(Dates, YearMonthDayOfASerial) {
  const double d = DateSerial(2054, 4, 27) + 0.75;
  EXPECT_EQ(Year(d), 2054);
  EXPECT_EQ(Month(d), 4);
  EXPECT_EQ(Day(d), 27);
  EXPECT_EQ(Year(DateSerial(2000, 2, 29)), 2000);
  EXPECT_EQ(Day(DateSerial(2000, 2, 29)), 29);
  EXPECT_EQ(Month(-1.5), 12);
  EXPECT_EQ(Day(-1.5), 29);
}

TEST(Dates, TextShowsTheTimeOnlyWhenNotMidnight) {
  EXPECT_EQ(DateText(DateSerial(2014, 4, 28)), "2014-04-28");
  EXPECT_EQ(DateText(DateSerial(2014, 4, 28) + 0.5), "2014-04-28 12:00:00");
  EXPECT_EQ(DateText(DateSerial(2014, 4, 28) + 1.0 / 86400 * 3661), "2014-04-28 01:01:01");
  EXPECT_EQ(DateText(DateSerial(2014, 4, 28) + 0.9999999999), "2014-04-29");
}

}  // namespace
}  // namespace runtime
