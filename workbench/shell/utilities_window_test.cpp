#include "workbench/shell/utilities_window.h"

#include <gtest/gtest.h>

#include <QDate>

#include "workbench/shell/windows_test_support.h"

namespace {

class UtilitiesWindow : public shell_testing::OfficeTest {
 protected:
  void SetUp() override {
    OfficeTest::SetUp();
    ShowUtilitiesWindow();
  }
  static 实用工具1& window() { return ui::Default<实用工具1>(); }
  static std::string Term(QDate term, QDate valuation) {
    window().DTPicker1.setValue(term);
    window().DTPicker2.setValue(valuation);
    window().Command1.ScriptClick();
    return window().Label4.Caption();
  }
};

TEST_F(UtilitiesWindow, BothDatesStartAtTheSameDayWithinTheirRange) {
  EXPECT_EQ(window().DTPicker1.Value(), QDate(2014, 4, 28));
  EXPECT_EQ(window().DTPicker2.Value(), QDate(2014, 4, 28));
  window().DTPicker1.setValue(QDate(1600, 12, 31));
  EXPECT_EQ(window().DTPicker1.Value(), QDate(1601, 1, 1));
  window().DTPicker2.setValue(QDate(9999, 12, 31));
  EXPECT_EQ(window().DTPicker2.Value(), QDate(9999, 12, 31));
  // The longest amount there is to spell.
  window().Text2.ScriptType("-999999999999.99");
  Term(QDate(2010, 1, 1), QDate(2014, 4, 28));
  Screenshot(window(), "utilities_window");
}

TEST_F(UtilitiesWindow, EveryKeystrokeUpdatesTheCapitals) {
  const std::vector<std::pair<const char*, const char*>> keystrokes = {
      {"1", "壹元零角零分"}, {"2", "壹拾贰元零角零分"}, {"3", "壹佰贰拾叁元零角零分"},
      {".", "壹佰贰拾叁元零角零分"}, {"4", "壹佰贰拾叁元肆角零分"}, {"5", "壹佰贰拾叁元肆角伍分"},
      {"6", "壹佰贰拾叁元肆角陆分"},  // more than two decimals: rounded first
      {"a", ""}};
  for (const auto& [key, shown] : keystrokes) {
    window().Text2.ScriptType(key);
    EXPECT_EQ(window().Text1.Text(), shown) << window().Text2.Text();
  }
}

TEST_F(UtilitiesWindow, TextsThatAreNoNumberYetShowNothingAndTheWindowGoesOn) {
  auto shown = [](const char* typed) {
    window().Text2.setText("");
    window().Text2.ScriptType(typed);
    return window().Text1.Text();
  };
  for (const char* typed : {"-", ".", "abc", "12a", "1,000"}) EXPECT_EQ(shown(typed), "") << typed;
  window().Text2.setText("");
  EXPECT_EQ(window().Text1.Text(), "");
  EXPECT_EQ(shown("-5"), "负伍元零角零分");
  EXPECT_EQ(shown("0.125"), "零元壹角叁分");
  EXPECT_EQ(shown("-0.004"), "零元零角零分");
  EXPECT_EQ(shown("999999999999.99"), "玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分");
  EXPECT_EQ(shown("1000000000000"), "需转换的金额整数长度超过了12位！");
  EXPECT_EQ(shown("-1000000000000"), "需转换的金额整数长度超过了12位！");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UtilitiesWindow, TermCountsCalendarMonthsFromTheValuationDate) {
  const QDate valuation(2014, 4, 28);
  EXPECT_EQ(Term(QDate(2010, 1, 1), valuation), "-4.25");
  EXPECT_EQ(Term(QDate(2054, 4, 27), valuation), "40.00");
  EXPECT_EQ(Term(QDate(2014, 4, 1), valuation), "0.00");
  EXPECT_EQ(Term(QDate(2014, 5, 1), valuation), "0.08");
  EXPECT_EQ(Term(QDate(2014, 4, 30), valuation), "0.00");
  EXPECT_EQ(Term(QDate(1601, 1, 1), QDate(9999, 12, 31)), "-8398.92");
}

}  // namespace
