#include "platform/runtime/integer_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include "platform/runtime/testing/error_number.h"

namespace runtime {
namespace {

using runtime::testing::ErrorNumberOf;

TEST(IntegerConversion, SixteenBitRoundsHalfToEven) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(3.5), 4);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(-3.5), -4);
  EXPECT_EQ(ToInt16(2.4999), 2);
  EXPECT_EQ(ToInt16(2.5001), 3);
  EXPECT_EQ(ToInt16(-0.4), 0);
}

TEST(IntegerConversion, SixteenBitRange) {
  EXPECT_EQ(ToInt16(32767), 32767);
  EXPECT_EQ(ToInt16(32767.4), 32767);
  EXPECT_EQ(ToInt16(-32768), -32768);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(32768); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(32767.5); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(-32769); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(NAN); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { ToInt16(INFINITY); }), errors::kOverflow);
}

TEST(IntegerConversion, ThirtyTwoBitRange) {
  EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
  EXPECT_EQ(ToInt32(-2147483648.0), -2147483647 - 1);
  EXPECT_EQ(ToInt32(0.5), 0);
  EXPECT_EQ(ToInt32(1.5), 2);
  EXPECT_EQ(ErrorNumberOf([] { ToInt32(2147483648.0); }), errors::kOverflow);
}

TEST(CheckedArithmetic, FailsWhenTheResultDoesNotFit) {
  Int16 last = 32766;
  EXPECT_EQ((last + Int16(1)).value(), 32767);
  EXPECT_EQ(ErrorNumberOf([&] { last + Int16(2); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Int16(-32768) - Int16(1); }), errors::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Int16(200) * Int16(200); }), errors::kOverflow);
  Int16 n = 5;
  EXPECT_EQ((Int16(36) * n - Int16(28)).value(), 152);

  Int32 row = 2147483646;
  row += 1;
  EXPECT_EQ(row.value(), 2147483647);
  EXPECT_EQ(ErrorNumberOf([&] { row += 1; }), errors::kOverflow);
  EXPECT_EQ(row.value(), 2147483647) << "a failed step leaves the variable unchanged";
}

}  // namespace
}  // namespace runtime
