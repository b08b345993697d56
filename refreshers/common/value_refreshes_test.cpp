#include "refreshers/common/value_refreshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "refreshers/common/fake_office.h"
#include "refreshers/common/row_range.h"
#include "refreshers/common/sheet_names.h"

namespace refreshers {
namespace {

using automation::ErrorValue;

std::string Key(std::string_view sheet, Column column, int row) {
  return "〔" + std::string(sheet) + static_cast<char>('A' + column - 1) + std::to_string(row) + "〕";
}
// Row 19 holds 19000.25: raw "19000.25", money "19,000.25", whole "19,000", percent "1900025.00%".
double ValueOf(int row) { return row * 1000 + 0.25; }

// A project workbook whose value sheets hold a key and a value on every row, and a report that
// holds every key once.
struct ReportTest : ::testing::Test {
  fakes::FakeOffice office;
  fakes::Workbook& book = office.excel->workbook("项目1");
  fakes::Document& report = office.word->document("报告1");
  int completions = 0;
  std::size_t callsAtCompletion = 0;
  const Completion completed = [this] {
    ++completions;
    callsAtCompletion = report.calls.size();
  };

  void Pairs(std::string_view sheet, Column key, Column value, int first, int last) {
    for (int row = first; row <= last; ++row) {
      book.sheet(std::string(sheet)).set(row, key, Key(sheet, key, row));
      book.sheet(std::string(sheet)).set(row, value, ValueOf(row));
      report.text += Key(sheet, key, row) + "|";
    }
  }
  void HouseSummaryPairs() {
    for (int pair = 0; pair < 9; ++pair) Pairs(kSummarySheet, Column(L + pair), Column(A + pair), 1, 20);
  }

  std::optional<std::size_t> StepOf(const std::string& key) const {
    const auto& e = report.find().executions;
    const auto it = std::find_if(e.begin(), e.end(), [&](const fakes::Execution& x) { return x.findText == key; });
    if (it == e.end()) return std::nullopt;
    return static_cast<std::size_t>(it - e.begin());
  }
  std::string Written(std::string_view sheet, Column key, int row) const {
    const auto step = StepOf(Key(sheet, key, row));
    return step ? report.find().executions[*step].replacementText : "(not replaced)";
  }
  bool Untouched(std::string_view sheet, Column key, int row) const {
    return !StepOf(Key(sheet, key, row)) && report.text.find(Key(sheet, key, row)) != std::string::npos;
  }
  std::vector<std::string> GoTos() const {
    std::vector<std::string> out;
    for (const auto& c : report.calls)
      if (c.starts_with("GoTo")) out.push_back(c);
    return out;
  }
};

struct MarketReport : ReportTest {
  MarketReport() {
    Pairs(kMarketSheet, A, C, 1, 300);
    HouseSummaryPairs();
    Pairs(kIncomeSheet, A, C, 1, 160);
    Pairs(kIncomeSheet, H, I, 1, 160);
  }
};

TEST_F(MarketReport, RunsTheMarketRowsTheSummaryKeysAndTheIncomeRowsInTableOrder) {
  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::Completed);
  ASSERT_EQ(report.find().executions.size(), 387u + 188u);
  EXPECT_EQ(report.calls.at(0), "WholeStory");
  EXPECT_EQ(report.calls.at(1), "Fields.Update");
  EXPECT_EQ(report.calls.at(2), "MoveUp 4 1");

  // Order: market rows to 57, the summary keys column by column, the rest of the market rows,
  // then the income calculation list before the rent survey list.
  EXPECT_EQ(StepOf(Key(kMarketSheet, A, 2)), 0u);
  EXPECT_EQ(StepOf(Key(kMarketSheet, A, 57)), 55u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, L, 8)), 56u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, L, 17)), 65u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, M, 8)), 66u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, T, 17)), 145u);
  EXPECT_EQ(StepOf(Key(kMarketSheet, A, 58)), 146u);
  EXPECT_EQ(StepOf(Key(kMarketSheet, A, 298)), 386u);
  EXPECT_EQ(StepOf(Key(kIncomeSheet, A, 27)), 387u);
  EXPECT_EQ(StepOf(Key(kIncomeSheet, A, 62)), 422u);
  EXPECT_EQ(StepOf(Key(kIncomeSheet, H, 3)), 423u);
  EXPECT_EQ(StepOf(Key(kIncomeSheet, H, 154)), 574u);

  const struct {
    std::string_view sheet;
    Column key;
    int row;
    std::string shown;
  } spots[] = {
      {kMarketSheet, A, 18, "18000.25"},      {kMarketSheet, A, 19, "19,000.25"},
      {kMarketSheet, A, 21, "21,000.25"},     {kMarketSheet, A, 22, "22000.25"},
      {kMarketSheet, A, 58, "58,000.25"},     {kMarketSheet, A, 59, "59000.25"},
      {kMarketSheet, A, 136, "136,000.25"},   {kMarketSheet, A, 137, "137,000"},
      {kMarketSheet, A, 186, "186,000"},      {kMarketSheet, A, 187, "187000.25"},
      {kMarketSheet, A, 188, "188,000.25"},   {kMarketSheet, A, 212, "212,000"},
      {kMarketSheet, A, 213, "213000.25"},    {kMarketSheet, A, 214, "214,000.25"},
      {kMarketSheet, A, 215, "21500025.00%"}, {kMarketSheet, A, 238, "23800025.00%"},
      {kMarketSheet, A, 239, "239000.25"},    {kMarketSheet, A, 290, "29000025.00%"},
      {kMarketSheet, A, 291, "291,000.25"},   {kMarketSheet, A, 298, "298,000.25"},
      {kSummarySheet, R, 9, "9000.25"},       {kSummarySheet, S, 9, "9,000.25"},
      {kSummarySheet, T, 17, "17,000.25"},    {kIncomeSheet, A, 61, "61,000.25"},
      {kIncomeSheet, A, 62, "62000.25"},      {kIncomeSheet, H, 34, "34000.25"},
      {kIncomeSheet, H, 35, "35,000.25"},     {kIncomeSheet, H, 51, "51000.25"},
      {kIncomeSheet, H, 62, "62000.25"},      {kIncomeSheet, H, 63, "63,000.25"},
      {kIncomeSheet, H, 64, "64000.25"},      {kIncomeSheet, H, 95, "95,000.25"},
      {kIncomeSheet, H, 107, "107000.25"},    {kIncomeSheet, H, 108, "108,000.25"},
      {kIncomeSheet, H, 124, "124000.25"},    {kIncomeSheet, H, 140, "140,000.25"},
      {kIncomeSheet, H, 152, "152000.25"},    {kIncomeSheet, H, 153, "153,000.25"},
  };
  for (const auto& s : spots) EXPECT_EQ(Written(s.sheet, s.key, s.row), s.shown) << Key(s.sheet, s.key, s.row);

  const struct {
    std::string_view sheet;
    Column key;
    int row;
  } outside[] = {{kMarketSheet, A, 1},  {kMarketSheet, A, 299}, {kSummarySheet, L, 18}, {kIncomeSheet, A, 26},
                 {kIncomeSheet, A, 63}, {kIncomeSheet, H, 2},    {kIncomeSheet, H, 155}};
  for (const auto& o : outside) EXPECT_TRUE(Untouched(o.sheet, o.key, o.row)) << Key(o.sheet, o.key, o.row);

  // The result tables follow the replacements; the completion comes last and once.
  EXPECT_EQ(GoTos(), (std::vector<std::string>{"GoTo 2 shuqian_1", "GoTo 2 shuqian_2", "GoTo 2 shuqian_3"}));
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(callsAtCompletion, report.calls.size());
  EXPECT_EQ(office.attaches, 5);  // every routine and every table fill attaches for itself
}

TEST_F(MarketReport, TheWholeRunStaysOnTheWorkbookAndReportItBeganWith) {
  fakes::Workbook& other = office.excel->workbook("项目2");
  other.sheet(std::string(kIncomeSheet)).set(27, C, 1.0);
  other.sheet(std::string(kSummarySheet)).set(8, B, "别人");
  fakes::Document& otherReport = office.word->document("报告2", Key(kIncomeSheet, A, 27));
  otherReport.addTable({{"h"}, {"x"}, {"c"}});
  report.addTable({{"表头", "", "", "", "", "", "", "", ""}, {}, {"合计"}});
  report.tables[0]->rows[1].resize(9);
  book.sheet(std::string(kSummarySheet)).set(8, B, "张三");
  report.find().onExecute = [&] {  // the user switches to other work once the refresh has begun
    office.excel->active = "项目2";
    office.word->active = "报告2";
  };

  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::Completed);
  EXPECT_EQ(Written(kIncomeSheet, A, 27), "27,000.25");
  EXPECT_TRUE(otherReport.find().executions.empty());
  EXPECT_EQ(otherReport.text, Key(kIncomeSheet, A, 27));
  EXPECT_EQ(otherReport.tables[0]->rows[1][0], "x");
  EXPECT_EQ(report.tables[0]->rows[1][1], "张三");
}

TEST_F(MarketReport, AValueTooLongForAReplacementDoesNotEndTheRefresh) {
  const std::string longText(300, 'z');
  book.sheet(std::string(kMarketSheet)).set(5, C, longText);
  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::Completed);
  EXPECT_EQ(report.text.find(Key(kMarketSheet, A, 5)), std::string::npos);
  EXPECT_NE(report.text.find(longText), std::string::npos);
  EXPECT_EQ(completions, 1);
}

TEST_F(MarketReport, TheIncomeFillSkipsFailedRowsAndTheRefreshStillCompletes) {
  book.sheet(std::string(kIncomeSheet)).set(30, C, ErrorValue{2007});
  book.sheet(std::string(kIncomeSheet)).set(40, H, ErrorValue{2042});
  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::Completed);
  EXPECT_EQ(report.find().executions.size(), 387u + 186u);
  EXPECT_TRUE(Untouched(kIncomeSheet, A, 30));
  EXPECT_EQ(Written(kIncomeSheet, A, 31), "31,000.25");  // not the row before's texts
  EXPECT_EQ(Written(kIncomeSheet, H, 41), "41,000.25");
  EXPECT_EQ(GoTos().size(), 3u);
  EXPECT_EQ(completions, 1);
}

TEST_F(MarketReport, ALostConnectionEndsTheRunInAnyRoutineAndIsNoCompletion) {
  int attempts = 0;
  const auto goneAfter = [&](int executions) {
    attempts = 0;
    report.find().onExecute = [&attempts, executions] {
      if (++attempts > executions)
        automation::Raise(automation::errors::kRemoteServerUnavailable, "The remote server machine does not exist or is unavailable");
    };
  };
  goneAfter(387 + 20);  // in the income routine, whose failures are otherwise skipped
  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::ConnectionLost);
  EXPECT_EQ(attempts, 387 + 21) << "no step after the first lost call";
  EXPECT_TRUE(GoTos().empty()) << "no table fill either";
  EXPECT_EQ(completions, 0);

  goneAfter(5);  // in the market routine, which stops at its first error
  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::ConnectionLost);
  EXPECT_EQ(attempts, 6);
  EXPECT_EQ(completions, 0);
}

TEST_F(MarketReport, WithoutAnIncomeSheetNoIncomeStepRuns) {
  book.sheets.erase(std::string(kIncomeSheet));
  EXPECT_EQ(RefreshMarketApproach(office.attach(), completed), RunEnd::Completed);
  EXPECT_EQ(report.find().executions.size(), 387u);
  EXPECT_EQ(completions, 1);
}

struct HouseCostReport : ReportTest {
  HouseCostReport() {
    Pairs(kHouseCostSheet, A, C, 1, 320);
    HouseSummaryPairs();
  }
};

TEST_F(HouseCostReport, RunsTheCostRowsAroundTheSummaryKeysThenTheTables) {
  EXPECT_EQ(RefreshCostApproach(office.attach(), completed), RunEnd::Completed);
  ASSERT_EQ(report.find().executions.size(), 404u);
  EXPECT_EQ(StepOf(Key(kHouseCostSheet, A, 37)), 35u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, L, 8)), 36u);
  EXPECT_EQ(StepOf(Key(kHouseCostSheet, A, 38)), 126u);
  EXPECT_EQ(StepOf(Key(kHouseCostSheet, A, 315)), 403u);
  EXPECT_EQ(Written(kHouseCostSheet, A, 19), "19000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 20), "20,000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 23), "23,000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 24), "24000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 290), "290,000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 291), "291000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 310), "310000.25");
  EXPECT_EQ(Written(kHouseCostSheet, A, 311), "311,000.25");
  EXPECT_EQ(Written(kSummarySheet, S, 8), "8,000.25");
  EXPECT_TRUE(Untouched(kHouseCostSheet, A, 316));
  EXPECT_EQ(GoTos(), (std::vector<std::string>{"GoTo 2 weizhi_1", "GoTo 2 weizhi_2", "GoTo 2 shuqian_3"}));
  EXPECT_EQ(completions, 1);
}

TEST_F(HouseCostReport, AnErrorValueEndsTheRefreshWithTheEarlierReplacementsKept) {
  book.sheet(std::string(kHouseCostSheet)).set(150, C, ErrorValue{2007});
  EXPECT_EQ(RefreshCostApproach(office.attach(), completed), RunEnd::Stopped);
  EXPECT_EQ(report.find().executions.size(), 18u + 4u + 14u + 90u + 112u);
  EXPECT_EQ(Written(kHouseCostSheet, A, 149), "149,000.25");
  EXPECT_TRUE(Untouched(kHouseCostSheet, A, 150));
  EXPECT_TRUE(Untouched(kHouseCostSheet, A, 151));
  EXPECT_TRUE(GoTos().empty());
  EXPECT_EQ(completions, 0);
}

TEST_F(HouseCostReport, WithoutTheCostSheetOnlyThePreludeRuns) {
  book.sheets.erase(std::string(kHouseCostSheet));
  EXPECT_EQ(RefreshCostApproach(office.attach(), completed), RunEnd::Stopped);
  EXPECT_EQ(report.calls, (std::vector<std::string>{"WholeStory", "Fields.Update", "MoveUp 4 1"}));
  EXPECT_TRUE(report.find().executions.empty());
  EXPECT_EQ(completions, 0);
}

TEST_F(HouseCostReport, WithNoDocumentOpenNothingRuns) {
  office.word->documents.clear();
  office.word->active.clear();
  EXPECT_EQ(RefreshCostApproach(office.attach(), completed), RunEnd::Stopped);
  EXPECT_EQ(office.attaches, 1);
  EXPECT_EQ(completions, 0);
}

struct LandReport : ReportTest {
  LandReport() {
    Pairs(kBenchmarkLandSheet, A, C, 1, 80);
    Pairs(kSummarySheet, Q, S, 1, 150);
    Pairs(kCostApproximationSheet, A, C, 1, 80);
    book.sheet(std::string(kCostApproximationSheet)).set(44, C, 0.0525);
    book.sheet(std::string(kCostApproximationSheet)).set(60, C, 1.23456);
  }
};

TEST_F(LandReport, RunsTheBenchmarkRowsThenTheCostApproximationRowsThenTablesOneAndFive) {
  EXPECT_EQ(RefreshBenchmarkLandPrice(office.attach(), completed), RunEnd::Completed);
  ASSERT_EQ(report.find().executions.size(), 212u + 47u);
  EXPECT_EQ(StepOf(Key(kBenchmarkLandSheet, A, 19)), 17u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, Q, 8)), 18u);
  EXPECT_EQ(StepOf(Key(kSummarySheet, Q, 147)), 157u);
  EXPECT_EQ(StepOf(Key(kBenchmarkLandSheet, A, 20)), 158u);
  EXPECT_EQ(StepOf(Key(kCostApproximationSheet, A, 25)), 212u);
  EXPECT_EQ(StepOf(Key(kCostApproximationSheet, A, 71)), 258u);

  EXPECT_EQ(Written(kSummarySheet, Q, 100), "100000.25");
  EXPECT_EQ(Written(kSummarySheet, Q, 130), "130,000.25");
  EXPECT_EQ(Written(kBenchmarkLandSheet, A, 23), "23,000.25");
  EXPECT_EQ(Written(kBenchmarkLandSheet, A, 24), "24000.25");
  EXPECT_EQ(Written(kBenchmarkLandSheet, A, 25), "25,000.25");
  EXPECT_EQ(Written(kBenchmarkLandSheet, A, 48), "48000.25");
  EXPECT_EQ(Written(kBenchmarkLandSheet, A, 73), "73,000.25");
  EXPECT_EQ(Written(kCostApproximationSheet, A, 26), "26000.25");
  EXPECT_EQ(Written(kCostApproximationSheet, A, 44), "5.25%");
  EXPECT_EQ(Written(kCostApproximationSheet, A, 47), "4,700,025.00%");
  EXPECT_EQ(Written(kCostApproximationSheet, A, 60), "1.2346");
  EXPECT_EQ(Written(kCostApproximationSheet, A, 64), "64,000.2500");
  EXPECT_EQ(Written(kCostApproximationSheet, A, 65), "65,000.25");
  EXPECT_TRUE(Untouched(kCostApproximationSheet, A, 24));
  EXPECT_TRUE(Untouched(kSummarySheet, Q, 148));
  EXPECT_EQ(GoTos(), (std::vector<std::string>{"GoTo 2 Tddw_1", "GoTo 2 Tddw_2"}));
  EXPECT_EQ(completions, 1);
}

TEST_F(LandReport, AFailureInTheFourthRangeEndsTheRefreshThere) {
  book.sheet(std::string(kBenchmarkLandSheet)).set(22, A, ErrorValue{2023});
  EXPECT_EQ(RefreshBenchmarkLandPrice(office.attach(), completed), RunEnd::Stopped);
  EXPECT_EQ(report.find().executions.size(), 18u + 140u + 2u);
  EXPECT_TRUE(Untouched(kCostApproximationSheet, A, 25));
  EXPECT_TRUE(GoTos().empty());
  EXPECT_EQ(completions, 0);
}

TEST_F(LandReport, TheCostApproximationFillSkipsItsFailuresAndTheRefreshCompletes) {
  book.sheet(std::string(kCostApproximationSheet)).set(50, C, ErrorValue{2007});
  EXPECT_EQ(RefreshBenchmarkLandPrice(office.attach(), completed), RunEnd::Completed);
  EXPECT_EQ(report.find().executions.size(), 212u + 46u);
  EXPECT_TRUE(Untouched(kCostApproximationSheet, A, 50));
  EXPECT_EQ(Written(kCostApproximationSheet, A, 51), "51,000.25");
  EXPECT_EQ(completions, 1);
}

}  // namespace
}  // namespace refreshers
