#include "platform/runtime/numeric_reading.h"

#include <gtest/gtest.h>

#include "platform/runtime/error.h"

namespace runtime {
namespace {

TEST(NumericReading, TakesTheLongestLeadingDecimalNumber) {
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1234.56"), 1234.56);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1,234.56"), 1.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("12.5平方米"), 12.5);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("-4.25"), -4.25);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("+7"), 7.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("￥100"), 0.0);
}

TEST(NumericReading, SkipsBlanksTabsAndLineFeedsAnywhere) {
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("  1 2 3abc"), 123.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("\t-\n1 . 5"), -1.5);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1 e 3"), 1000.0);
}

TEST(NumericReading, ReadsExponents) {
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("2.5E-2"), 0.025);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("3e"), 3.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("3e+x"), 3.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("1e-999"), 0.0);
}

TEST(NumericReading, NoNumberReadsAsZero) {
  EXPECT_DOUBLE_EQ(ReadLeadingNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("   "), 0.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("abc"), 0.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("-"), 0.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("."), 0.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&"), 0.0);
}

TEST(NumericReading, HexadecimalAndOctalPrefixes) {
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&H1F"), 31.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&h1fz"), 31.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&O17"), 15.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&HFFFF"), -1.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&H10000"), 65536.0);
  EXPECT_DOUBLE_EQ(ReadLeadingNumber("&HG"), 0.0);
}

TEST(NumericReading, ANumberBeyondTheDoubleRangeIsAnOverflow) {
  try {
    ReadLeadingNumber("1e999");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errors::kOverflow);
  }
  EXPECT_THROW(ReadLeadingNumber("-1e999"), Error);
  EXPECT_THROW(ReadLeadingNumber("&H123456789"), Error);
}

}  // namespace
}  // namespace runtime
