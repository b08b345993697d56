#include "platform/runtime/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/runtime/numeric_reading.h"

namespace runtime {
namespace {

struct Case {
  double value;
  const char* pattern;
  const char* shown;
};

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases)
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.shown) << c.value << " under " << c.pattern;
}

TEST(NumberFormat, TheReportPatterns) {
  ExpectAll({
      {1234.56, "##,##0.00", "1,234.56"},
      {0.256, "##,##0.00", "0.26"},
      {1234567.891, "##,##0.00", "1,234,567.89"},
      {1234.5, "##,##0.00", "1,234.50"},
      {12345.6, "##,##0.00", "12,345.60"},
      {1234, "##,##0.00", "1,234.00"},
      {1234.56, "##,##0", "1,235"},
      {0.256, "##,##0", "0"},
      {1234.4, "##,##0", "1,234"},
      {1234, "##,##0", "1,234"},
      {1234.56, "0.00%", "123456.00%"},
      {0.256, "0.00%", "25.60%"},
      {0.1234, "0.00%", "12.34%"},
      {1234.56, "##,##0.00%", "123,456.00%"},
      {0.256, "##,##0.00%", "25.60%"},
      {0.0525, "##,##0.00%", "5.25%"},
      {1234.56, "##,##0.0000", "1,234.5600"},
      {0.256, "##,##0.0000", "0.2560"},
      {1.23456, "##,##0.0000", "1.2346"},
  });
}

TEST(NumberFormat, TheTermAndAmountPatterns) {
  ExpectAll({
      {-51.0 / 12, "###0.00", "-4.25"},
      {480.0 / 12, "###0.00", "40.00"},
      {0, "###0.00", "0.00"},
      {1.0 / 12, "###0.00", "0.08"},
      {1234.56, "###0.00", "1234.56"},
      {0.256, "###0.00", "0.26"},
      {0.5, "0.00", "0.50"},
      {-5, "0.00", "-5.00"},
      {1234.56, "0.00", "1234.56"},
      {0.256, "0.00", "0.26"},
      {999999999999.99, "0.00", "999999999999.99"},
  });
}

TEST(NumberFormat, TextsGoThroughTheNumericReading) {
  EXPECT_EQ(FormatNumber(ReadLeadingNumber("1,234.56"), "##,##0.00"), "1.00");
  EXPECT_EQ(FormatNumber(ReadLeadingNumber(""), "##,##0.00"), "0.00");
  EXPECT_EQ(FormatNumber(ReadLeadingNumber(""), "##,##0"), "0");
  EXPECT_EQ(FormatNumber(ReadLeadingNumber(""), "0.00%"), "0.00%");
  EXPECT_EQ(FormatNumber(ReadLeadingNumber("12.5元"), "##,##0.00"), "12.50");
}

TEST(NumberFormat, HalvesRoundAwayFromZeroOnTheDecimalValue) {
  ExpectAll({
      {2.675, "0.00", "2.68"},
      {0.125, "0.00", "0.13"},
      {-0.125, "0.00", "-0.13"},
      {1.005, "##,##0.00", "1.01"},
      {0.5, "##,##0", "1"},
      {-0.5, "##,##0", "-1"},
      {9.995, "0.00", "10.00"},
      {999999.995, "##,##0.00", "1,000,000.00"},
      {0.0049, "0.00", "0.00"},
      {0.005, "0.00", "0.01"},
      {0.000001, "0.00", "0.00"},
  });
}

TEST(NumberFormat, NoMinusSignWhenTheRoundedValueIsZero) {
  ExpectAll({
      {-0.004, "0.00", "0.00"},
      {-0.4, "##,##0", "0"},
      {-0.00001, "0.00%", "0.00%"},
      {-0.0, "###0.00", "0.00"},
      {-1234.5, "##,##0.00", "-1,234.50"},
  });
}

TEST(NumberFormat, LargeValuesAndNonFiniteValues) {
  EXPECT_EQ(FormatNumber(1e20, "##,##0"), "100,000,000,000,000,000,000");
  EXPECT_EQ(FormatNumber(1e-20, "0.00"), "0.00");
  EXPECT_EQ(FormatNumber(NAN, "0.00"), "NaN");
  EXPECT_EQ(FormatNumber(INFINITY, "##,##0.00"), "Infinity");
  EXPECT_EQ(FormatNumber(-INFINITY, "0.00%"), "-Infinity");
}

TEST(NumberFormat, OptionalDecimalsAndLiterals) {
  EXPECT_EQ(FormatNumber(1.5, "0.##"), "1.5");
  EXPECT_EQ(FormatNumber(2, "0.##"), "2.");
  EXPECT_EQ(FormatNumber(3.14159, "0.0#"), "3.14");
  EXPECT_EQ(FormatNumber(12, "0元"), "12元");
}

}  // namespace
}  // namespace runtime
