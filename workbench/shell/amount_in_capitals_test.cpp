#include "workbench/shell/amount_in_capitals.h"

#include <gtest/gtest.h>

namespace 主类 {
namespace {

TEST(AmountToChineseUppercase, SpellsEveryPosition) {
  EXPECT_EQ(AmountToChineseUppercase(123.45), "壹佰贰拾叁元肆角伍分");
  EXPECT_EQ(AmountToChineseUppercase(100), "壹佰零拾零元零角零分");
  EXPECT_EQ(AmountToChineseUppercase(20), "贰拾零元零角零分");
  EXPECT_EQ(AmountToChineseUppercase(1001.07), "壹仟零佰零拾壹元零角柒分");
  EXPECT_EQ(AmountToChineseUppercase(0.5), "零元伍角零分");
  EXPECT_EQ(AmountToChineseUppercase(0), "零元零角零分");
  EXPECT_EQ(AmountToChineseUppercase(-5), "负伍元零角零分");
  EXPECT_EQ(AmountToChineseUppercase(999999999999.99),
            "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分");
}

TEST(AmountToChineseUppercase, RoundsToCentsHalfAwayFromZero) {
  EXPECT_EQ(AmountToChineseUppercase(0.125), "零元壹角叁分");
  EXPECT_EQ(AmountToChineseUppercase(2.675), "贰元陆角捌分");
  EXPECT_EQ(AmountToChineseUppercase(1.999), "贰元零角零分");
  EXPECT_EQ(AmountToChineseUppercase(-0.004), "零元零角零分") << "no 负 for an amount that rounds to zero";
}

TEST(AmountToChineseUppercase, MoreThanTwelveIntegerDigitsGiveTheOverLimitText) {
  EXPECT_EQ(AmountToChineseUppercase(1000000000000), kAmountOverLimitText);
  EXPECT_EQ(AmountToChineseUppercase(-1000000000000), kAmountOverLimitText);
  EXPECT_EQ(AmountToChineseUppercase(999999999999.995), kAmountOverLimitText) << "rounds up past the limit";
  EXPECT_EQ(AmountToChineseUppercase(1e300), kAmountOverLimitText);
}

TEST(TypedAmount, OnlyCompleteDecimalNumbers) {
  EXPECT_EQ(TypedAmount("123"), 123.0);
  EXPECT_EQ(TypedAmount("-0.5"), -0.5);
  EXPECT_EQ(TypedAmount("3."), 3.0);
  EXPECT_EQ(TypedAmount(" .25 "), 0.25);
  for (const char* text : {"", "-", ".", "abc", "12a", "1,000", "1e5", "1 2"})
    EXPECT_FALSE(TypedAmount(text).has_value()) << text;
}

// A text box takes up to 32767 characters at one paste.
TEST(TypedAmount, LongPastesNeitherCrashNorFail) {
  const std::string digits(32767, '9');
  EXPECT_EQ(AmountToChineseUppercase(*TypedAmount(digits)), kAmountOverLimitText);
  EXPECT_EQ(AmountToChineseUppercase(*TypedAmount("-" + digits)), kAmountOverLimitText);
  EXPECT_EQ(TypedAmount("0." + digits), 1.0);
  EXPECT_FALSE(TypedAmount(digits + "x").has_value());
}

}  // namespace
}  // namespace 主类
