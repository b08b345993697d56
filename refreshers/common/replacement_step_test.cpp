#include "refreshers/common/replacement_step.h"

#include <gtest/gtest.h>

#include <vector>

#include "refreshers/common/fake_office.h"
#include "refreshers/common/sheet_names.h"

namespace refreshers {
namespace {

using automation::ErrorValue;
using automation::Variant;

struct EngineTest : ::testing::Test {
  fakes::FakeOffice office;
  fakes::Sheet& sheet = office.excel->workbook("市场法1").sheet("市场");
  fakes::Document& report = office.word->document("报告1");

  RefreshContext Begin() {
    RefreshContext context = CaptureContext(office.attach());
    RefreshPrelude(context);
    return context;
  }
  void Row(std::int16_t row, Variant key, Variant value) {
    sheet.set(row, A, std::move(key));
    sheet.set(row, C, std::move(value));
  }
  std::vector<std::string> FoundTexts() const {
    std::vector<std::string> texts;
    for (const auto& e : report.find().executions) texts.push_back(e.findText);
    return texts;
  }
};

TEST_F(EngineTest, EveryPatternThroughTheEngine) {
  struct Case {
    Variant value;
    std::string_view format;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {1234.5, kRaw, "1234.5"},
      {1234.5678, kRaw, "1234.5678"},  // the value, not what the sheet displays
      {Variant(), kRaw, ""},
      {"12.5平方米", kRaw, "12.5平方米"},
      {true, kRaw, "True"},
      {Variant(), kMoney, "0.00"},
      {Variant(), kWhole, "0"},
      {Variant(), kPercent, "0.00%"},
      {"abc", kMoney, "0.00"},
      {"1,234.56", kMoney, "1.00"},  // the reading stops at the comma
      {"12.5平方米", kMoney, "12.50"},
      {1234.5, kMoney, "1,234.50"},
      {1234567.891, kMoney, "1,234,567.89"},
      {-1234.5, kMoney, "-1,234.50"},
      {1234.4, kWhole, "1,234"},
      {0.1234, kPercent, "12.34%"},
      {1234.56, kPercent, "123456.00%"},
      {0.0525, kGroupedPercent, "5.25%"},
      {1234.56, kGroupedPercent, "123,456.00%"},
      {1.23456, kFourDecimals, "1.2346"},
  };
  std::vector<RowRange> table;
  std::string expected = "|";
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto row = static_cast<std::int16_t>(i + 2);
    const std::string key = "〔值" + std::to_string(row) + "〕";
    Row(row, key, cases[i].value);
    table.push_back({kMarketSheet, row, row, A, C, cases[i].format});
    report.text += "|" + key;
    expected += cases[i].shown + "|";
  }
  report.text += "|";
  RunRowTable(Begin(), table, OnError::Stop);
  EXPECT_EQ(report.text, expected);
}

TEST_F(EngineTest, TakesTheFindWithWordsDefaultMatchingAndEscapesCarets) {
  report.text = "单价^元 a^b a^b";
  Row(2, "a^b", "x^y");
  Row(3, Variant(), "空键");  // an empty key still runs its step and changes nothing
  report.find().wrap = 0;
  RunRowTable(Begin(), std::vector<RowRange>{{kMarketSheet, 2, 3, A, C, kRaw}}, OnError::Stop);

  EXPECT_EQ(report.text, "单价^元 x^y x^y");
  ASSERT_EQ(report.find().executions.size(), 2u);
  for (const fakes::Execution& e : report.find().executions) {
    EXPECT_EQ(e.replace, 2);
    EXPECT_TRUE(e.forward);
    EXPECT_FALSE(e.matchCase || e.matchWholeWord || e.matchWildcards || e.matchSoundsLike || e.matchAllWordForms);
    EXPECT_FALSE(e.findFormatting || e.replacementFormatting);
    EXPECT_EQ(e.wrap, 0);  // the user's wrap stays
  }
  EXPECT_EQ(report.find().executions[0].findText, "a^^b");
  EXPECT_EQ(report.find().executions[0].replacementText, "x^^y");
  EXPECT_EQ(report.find().executions[1].findText, "");
}

TEST_F(EngineTest, ValuesTooLongForAReplacementAreWrittenInPieces) {
  // The value holds its own key and carets: neither may be found again nor read as codes.
  const std::string longValue = std::string(150, 'x') + "〔长〕^p" + std::string(150, 'y');
  for (const std::int32_t wrap : {0, 1}) {
    SCOPED_TRACE(wrap);
    report.text = "〔短〕 〔长〕 and 〔长〕 end 〔长〕";
    report.find().wrap = wrap;
    Row(2, "〔长〕", longValue);
    Row(3, "〔短〕", "短值");  // stands before the long ones: the insertion point must be back at the start
    RunRowTable(Begin(), std::vector<RowRange>{{kMarketSheet, 2, 3, A, C, kRaw}}, OnError::Stop);
    EXPECT_EQ(report.text, "短值 " + longValue + " and " + longValue + " end " + longValue);
    EXPECT_EQ(report.selection().start, 0);
    EXPECT_EQ(report.selection().end, 0);
  }
}

TEST_F(EngineTest, TheReplacementLimitCountsCharactersNotBytes) {
  const auto chinese = [](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += "价";
    return s;
  };
  report.text = "〔甲〕 〔乙〕";
  Row(2, "〔甲〕", chinese(255));
  Row(3, "〔乙〕", chinese(254) + "^");  // 256 once the caret is written "^^"
  RunRowTable(Begin(), std::vector<RowRange>{{kMarketSheet, 2, 3, A, C, kRaw}}, OnError::Stop);
  EXPECT_EQ(report.text, chinese(255) + " " + chinese(254) + "^");
  EXPECT_EQ(report.find().executions.front().replace, 2);
  EXPECT_EQ(report.find().executions.back().replace, 0);
}

struct FailingRows : EngineTest {
  FailingRows() {
    report.text = "〔2〕〔3〕〔4〕〔5〕〔6〕";
    Row(2, "〔2〕", 2.0);
    Row(3, "〔3〕", ErrorValue{2007});        // #DIV/0! in the value
    Row(4, ErrorValue{2023}, 4.0);           // #REF! in the key
    Row(5, "〔5〕", "1e999");                 // cannot be formatted
    Row(6, "〔6〕", 6.0);
  }
  const std::vector<RowRange> table{{kMarketSheet, 2, 6, A, C, kMoney}};
};

TEST_F(FailingRows, SkippingModeSkipsAFailedRowAsAWholeAndLeavesItsKey) {
  RunRowTable(Begin(), table, OnError::SkipRow);
  EXPECT_EQ(FoundTexts(), (std::vector<std::string>{"〔2〕", "〔6〕"}));
  EXPECT_EQ(report.find().executions.back().replacementText, "6.00");
  EXPECT_EQ(report.text, "2.00〔3〕〔4〕〔5〕6.00");
}

TEST_F(FailingRows, StoppingModeEndsAtTheFirstFailureAndKeepsWhatWasReplaced) {
  EXPECT_THROW(RunRowTable(Begin(), table, OnError::Stop), automation::Error);
  EXPECT_EQ(FoundTexts(), std::vector<std::string>{"〔2〕"});
  EXPECT_EQ(report.text, "2.00〔3〕〔4〕〔5〕〔6〕");
}

}  // namespace
}  // namespace refreshers
