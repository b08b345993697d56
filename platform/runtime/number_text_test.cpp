#include "platform/runtime/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace runtime {
namespace {

TEST(NumberText, PlainDecimalWithFifteenSignificantDigits) {
  EXPECT_EQ(NumberText(1234.5), "1234.5");
  EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumberText(1234.5678), "1234.5678");
  EXPECT_EQ(NumberText(1234567.891), "1234567.891");
  EXPECT_EQ(NumberText(0), "0");
  EXPECT_EQ(NumberText(-0.0), "0");
  EXPECT_EQ(NumberText(42), "42");
  EXPECT_EQ(NumberText(-51.0 / 12), "-4.25");
  EXPECT_EQ(NumberText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(NumberText(2.0 / 3), "0.666666666666667");
  EXPECT_EQ(NumberText(123456789012345.0), "123456789012345");
  EXPECT_EQ(NumberText(0.0001), "0.0001");
}

TEST(NumberText, ExponentFormAtTheExtremes) {
  EXPECT_EQ(NumberText(1e15), "1E+15");
  EXPECT_EQ(NumberText(-2.5e20), "-2.5E+20");
  EXPECT_EQ(NumberText(0.00001), "1E-05");
}

TEST(NumberText, NonFiniteValuesDoNotCrash) {
  EXPECT_EQ(NumberText(NAN), "NaN");
  EXPECT_EQ(NumberText(-INFINITY), "-Infinity");
}

}  // namespace
}  // namespace runtime
