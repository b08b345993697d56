#include "refreshers/common/summary_table_fill.h"

#include <gtest/gtest.h>

#include "refreshers/common/fake_office.h"
#include "refreshers/common/summary_table_members.h"

namespace refreshers {
namespace {

using automation::ErrorValue;
using Rows = std::vector<std::vector<std::string>>;

struct SummaryFillTest : ::testing::Test {
  fakes::FakeOffice office;
  fakes::Workbook& book = office.excel->workbook("项目1");
  fakes::Sheet& summary = book.sheet("估价结果汇总表");
  fakes::Document& report = office.word->document("报告1");
  const ReportNames names{"项目1", "报告1"};

  // Sheet rows 8 to last, each column holding "r<row>c<column>".
  void DataRows(int last, int columns) {
    for (int row = 8; row <= last; ++row)
      for (int column = 1; column <= columns; ++column)
        summary.set(row, column, "r" + std::to_string(row) + "c" + std::to_string(column));
  }
  static Rows Table(int rows, int columns, const std::string& text = "旧") {
    return Rows(static_cast<std::size_t>(rows), std::vector<std::string>(static_cast<std::size_t>(columns), text));
  }
  std::vector<std::string> Insertions() const {
    std::vector<std::string> out;
    for (const auto& c : report.calls)
      if (c.starts_with("InsertRowsBelow")) out.push_back(c);
    return out;
  }
};

TEST_F(SummaryFillTest, TooFewRowsGetOneInsertionBelowRowTwo) {
  DataRows(12, 10);
  report.addTable(Table(1, 9));  // another table first: the go-to may land in it
  report.addTable(Table(3, 7));
  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable2);
  EXPECT_EQ(Insertions(), std::vector<std::string>{"InsertRowsBelow 3 at table 2 row 2"});
  const Rows& rows = report.tables[1]->rows;
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0][0], "旧");  // the header
  for (int row = 8; row <= 12; ++row)
    for (int column = 1; column <= 7; ++column)
      EXPECT_EQ(rows[row - 7][column - 1], "r" + std::to_string(row) + "c" + std::to_string(column));
  EXPECT_EQ(report.tables[0]->rows, Table(1, 9));
}

TEST_F(SummaryFillTest, AClosingRowStaysLastAndFormattedColumnsShowMoney) {
  DataRows(10, 10);
  summary.set(8, H, 12345.6);
  summary.set(9, H, "待定");       // a text that is no number stays as it is
  summary.set(10, I, "1,234.5");  // one that is a number is formatted
  summary.set(8, A, 1234.5678);   // a plain column takes the value, not its display
  Rows table = Table(3, 10);
  table[2][0] = "合计";
  report.addTable(table);
  FillSummaryTable(office.attach(), names, refrella2::FillSummaryTable1);

  EXPECT_EQ(Insertions(), std::vector<std::string>{"InsertRowsBelow 2 at table 1 row 2"});
  const Rows& rows = report.tables[0]->rows;
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1][0], "1234.5678");
  EXPECT_EQ(rows[1][7], "12,345.60");
  EXPECT_EQ(rows[2][7], "待定");
  EXPECT_EQ(rows[3][8], "1,234.50");
  EXPECT_EQ(rows[3][6], "r10c7");
  EXPECT_EQ(rows[1][9], "旧");  // the method label column is never copied
  EXPECT_EQ(rows[2][9], "");
  EXPECT_EQ(rows[4][0], "合计");
  EXPECT_EQ(rows[4][1], "旧");
}

TEST_F(SummaryFillTest, ALandTableCopiesFourteenColumnsWithTheLastTwoFormatted) {
  for (int column = 1; column <= 15; ++column) summary.set(8, column, column * 1000 + 0.5);
  summary.set(8, N, automation::Variant());
  summary.set(8, D, ErrorValue{2007});  // an unreadable cell is skipped alone
  report.addTable(Table(2, 15));
  FillSummaryTable(office.attach(), names, refrella1::FillSummaryTable1);
  const Rows& rows = report.tables[0]->rows;
  EXPECT_TRUE(Insertions().empty());
  EXPECT_EQ(rows[1][0], "1000.5");
  EXPECT_EQ(rows[1][2], "3000.5");
  EXPECT_EQ(rows[1][3], "旧");
  EXPECT_EQ(rows[1][11], "12000.5");
  EXPECT_EQ(rows[1][12], "13,000.50");
  EXPECT_EQ(rows[1][13], "");
  EXPECT_EQ(rows[1][14], "旧");
}

TEST_F(SummaryFillTest, RowsBeyondTheDataKeepTheirTextAndARefillChangesNothing) {
  DataRows(9, 7);
  for (int table = 1; table <= 3; ++table) report.addTable(Table(1, 1));
  report.addTable(Table(6, 7));
  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable4);
  const Rows once = report.tables[3]->rows;
  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable4);

  EXPECT_TRUE(Insertions().empty());
  EXPECT_EQ(report.tables[3]->rows, once);
  EXPECT_EQ(once[1][0], "r8c1");
  EXPECT_EQ(once[2][6], "r9c7");
  EXPECT_EQ(once[3], std::vector<std::string>(7, "旧"));
  EXPECT_EQ(once[5], std::vector<std::string>(7, "旧"));
}

TEST_F(SummaryFillTest, NoDataRowsOrNoSuchTableLeaveTheReportAlone) {
  summary.set(7, B, "所有权人");  // the header only
  report.addTable(Table(3, 9));
  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable1);
  EXPECT_EQ(report.tables[0]->rows, Table(3, 9));

  DataRows(12, 9);
  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable4);  // the report has one table
  EXPECT_TRUE(Insertions().empty());
  EXPECT_EQ(report.tables[0]->rows, Table(3, 9));
}

TEST_F(SummaryFillTest, ReadsTheRunsWorkbookAndWritesTheRunsReport) {
  DataRows(8, 7);
  report.addTable(Table(2, 7));
  report.addTable(Table(2, 7));
  fakes::Workbook& other = office.excel->workbook("项目2");
  other.sheet("估价结果汇总表").set(8, B, "别的");
  other.sheet("估价结果汇总表").set(9, B, "别的");
  fakes::Document& otherReport = office.word->document("报告2");
  otherReport.addTable(Table(2, 7));
  otherReport.addTable(Table(2, 7));
  office.excel->active = "项目2";
  office.word->active = "报告2";

  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable2);
  EXPECT_EQ(report.tables[1]->rows[1][1], "r8c2");
  EXPECT_EQ(otherReport.tables[1]->rows, Table(2, 7));
  EXPECT_TRUE(otherReport.calls.empty());
}

// A cell's read and its write are each one chain of calls: one that fails at any of its steps
// skips that cell alone.
TEST_F(SummaryFillTest, ACellWhoseReadOrWriteFailsIsSkippedAndTheFillGoesOn) {
  DataRows(10, 7);
  summary.set(8, C, ErrorValue{2023});  // #REF!: no text to write
  Rows table = Table(4, 7);
  table[2].resize(5);  // table row 3 has no cells 6 and 7
  report.addTable(Table(1, 1));
  report.addTable(table);
  FillSummaryTable(office.attach(), names, refrella::FillSummaryTable2);
  const Rows& rows = report.tables[1]->rows;
  EXPECT_EQ(rows[1], (std::vector<std::string>{"r8c1", "r8c2", "旧", "r8c4", "r8c5", "r8c6", "r8c7"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"r9c1", "r9c2", "r9c3", "r9c4", "r9c5"}));
  EXPECT_EQ(rows[3], (std::vector<std::string>{"r10c1", "r10c2", "r10c3", "r10c4", "r10c5", "r10c6", "r10c7"}));
}

TEST_F(SummaryFillTest, NothingHappensWhenOfficeCannotBeReached) {
  DataRows(12, 9);
  report.addTable(Table(2, 9));
  FillSummaryTable([]() -> Office { automation::Raise(automation::errors::kCannotCreateObject); }, names,
                   refrella::FillSummaryTable1);
  EXPECT_EQ(report.tables[0]->rows, Table(2, 9));
  EXPECT_TRUE(report.calls.empty());
}

}  // namespace
}  // namespace refreshers
