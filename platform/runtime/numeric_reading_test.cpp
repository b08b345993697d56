#include "platform/runtime/numeric_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

TEST(WholeDecimalNumber, TheWholeTextMustBeOneNumberWithBlanksAroundIt) {
  EXPECT_EQ(WholeDecimalNumber(" \t-12.5e2\n"), -1250.0);
  EXPECT_EQ(WholeDecimalNumber("1."), 1.0);
  EXPECT_EQ(WholeDecimalNumber(".5"), 0.5);
  for (const char* text : {"", " ", ".", "+", "1e", "1e+", "1 2", "- 1", "1.2.3", "12a", "1,234", "&H10", "1d3"})
    EXPECT_FALSE(WholeDecimalNumber(text)) << text;
  EXPECT_EQ(WholeDecimalNumber("1d3", {.dExponent = true}), 1000.0);
}

TEST(WholeDecimalNumber, ThousandsSeparatorsOnlyInGroupsOfThree) {
  const DecimalSyntax grouped{.groupedThousands = true};
  EXPECT_EQ(WholeDecimalNumber("1,234,567.5", grouped), 1234567.5);
  EXPECT_EQ(WholeDecimalNumber("123,456", grouped), 123456.0);
  for (const char* text : {"1234,567", "1,23", "1,2345", ",123", "1,", "1,,234", "1,234.5,6"})
    EXPECT_FALSE(WholeDecimalNumber(text, grouped)) << text;
}

TEST(WholeDecimalNumber, AnyLengthIsReadInLinearTime) {
  const std::string digits(1 << 20, '7');
  EXPECT_TRUE(std::isinf(*WholeDecimalNumber(digits)));
  EXPECT_FALSE(WholeDecimalNumber(digits + "x"));
  EXPECT_EQ(WholeDecimalNumber("0." + std::string(100000, '0') + "1"), 0.0);
  std::string grouped = "1";
  for (int i = 0; i < 100000; ++i) grouped += ",000";
  EXPECT_TRUE(WholeDecimalNumber(grouped, {.groupedThousands = true}));
}

}  // namespace
}  // namespace runtime
