#include "platform/data/data_grid.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/data/adodc.h"
#include "platform/data/provider_errors.h"
#include "platform/data/test_database.h"
#include "platform/runtime/testing/error_number.h"
#include "platform/ui/form.h"

namespace data {
namespace {

using testing::TestDatabase;

struct Move {
  int lastRow, lastCol, row;
};

class Window : public ui::Form {
 public:
  Window() : Form("Window") {
    Move(0, 0, 9000, 3000);
    DataGrid1.Move(0, 0, 9000, 3000);
    DataGrid1.RowColChange = [this](int lastRow, int lastCol) { moves.push_back({lastRow, lastCol, DataGrid1.Bookmark()}); };
    Adodc1.Error = [this](std::int32_t number, const std::string& description) { errors.emplace_back(number, description); };
  }
  Adodc Adodc1{*this, "Adodc1"};
  DataGrid DataGrid1{*this, "DataGrid1"};
  std::vector<struct Move> moves;
  std::vector<std::pair<std::int32_t, std::string>> errors;
};

class DataGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.AddNumbered(50);
    db_.Show(w().Adodc1, w().DataGrid1);
    w().Show();
    w().moves.clear();
  }
  void TearDown() override { ui::UnloadAll(); }
  static Window& w() { return ui::Default<Window>(); }
  static DataGrid& grid() { return w().DataGrid1; }

  QTemporaryDir dir_;
  TestDatabase db_{dir_.filePath("db.mdb").toStdString()};
};

TEST_F(DataGridTest, ShowsTheFieldsAndRowsOfItsControl) {
  EXPECT_EQ(grid().ColumnCount(), 3);
  EXPECT_EQ(grid().ColumnCaption(1), "建筑物名称");
  EXPECT_EQ(grid().ApproxCount(), 50);
  EXPECT_EQ(grid().Text(50, 2), "1050");
  grid().setColumns({{"交易价格", "  交易价格"}, {"序号", "  序号"}});
  EXPECT_EQ(grid().ColumnCount(), 2);
  EXPECT_EQ(grid().ColumnCaption(0), "  交易价格");
  EXPECT_EQ(grid().Text(3, 0), "1003");
  EXPECT_EQ(grid().Text(3, 1), "3");
}

TEST_F(DataGridTest, RowsBookmarksAndTheCurrentCellEvent) {
  EXPECT_EQ(grid().Bookmark(), 1);
  EXPECT_EQ(grid().FirstRow(), 1);
  EXPECT_EQ(grid().Row(), 0);
  grid().ScriptGoTo(3, 2);
  grid().setRow(grid().Row() + 1);
  ASSERT_EQ(w().moves.size(), 2u);
  EXPECT_EQ(w().moves[0].lastRow, 1);
  EXPECT_EQ(w().moves[0].row, 3);
  EXPECT_EQ(w().moves[1].lastRow, 3);
  EXPECT_EQ(w().moves[1].lastCol, 1);
  EXPECT_EQ(w().Adodc1.recordset().Fields(1).toText(), "案例4");

  // The current row stays in view as it moves past the last visible row.
  const int visible = grid().VisibleRows();
  ASSERT_GT(visible, 2);
  ASSERT_LT(visible, 40);
  grid().setBookmark(45);
  EXPECT_LE(grid().FirstRow(), 45);
  EXPECT_GE(grid().FirstRow() + grid().VisibleRows() - 1, 45);
  EXPECT_EQ(grid().FirstRow() + grid().Row(), 45);
}

TEST_F(DataGridTest, ANewRowSetMovesTheCurrentCellToItsFirstRowOrNone) {
  grid().ScriptGoTo(5, 1);
  w().moves.clear();
  w().Adodc1.setRecordSource("select * from Table1 where 建筑物名称 like '案例2'+'%'");
  w().Adodc1.Refresh();
  ASSERT_EQ(w().moves.size(), 1u);
  EXPECT_EQ(w().moves[0].row, 1);
  EXPECT_EQ(grid().ApproxCount(), 11);
  w().Adodc1.setRecordSource("select * from Table1 where 建筑物名称 like '无'+'%'");
  w().Adodc1.Refresh();
  EXPECT_EQ(w().moves.back().row, 0);
  EXPECT_EQ(grid().ApproxCount(), 0);
  EXPECT_EQ(grid().ColumnCount(), 3);
  EXPECT_NE(runtime::testing::ErrorNumberOf([] { grid().Row(); }), 0);
}

TEST_F(DataGridTest, EditsAreSavedWhenTheCurrentRowChanges) {
  grid().ScriptEdit(2, 3, "1999");
  EXPECT_EQ(db_.Column("交易价格")[1], "1002");
  grid().ScriptGoTo(3, 1);
  EXPECT_EQ(db_.Column("交易价格")[1], "1999");
  grid().setAllowUpdate(false);
  EXPECT_THROW(grid().ScriptEdit(2, 3, "1"), ui::ScriptError);
}

TEST_F(DataGridTest, ARefusedEditIsReportedOnceAndKeptUntilTheUserMovesOn) {
  grid().ScriptEdit(2, 1, "3");  // the key of row 3
  grid().ScriptGoTo(4, 1);
  ASSERT_EQ(w().errors.size(), 1u);
  EXPECT_EQ(w().errors[0].first, errors::kIntegrityViolation);
  EXPECT_EQ(grid().Bookmark(), 2);
  EXPECT_EQ(grid().Text(2, 0), "3");
  grid().ScriptGoTo(4, 1);
  EXPECT_EQ(w().errors.size(), 1u);
  EXPECT_EQ(grid().Bookmark(), 4);
  EXPECT_EQ(grid().Text(2, 0), "2");
  EXPECT_EQ(db_.Column("序号")[1], "2");
}

TEST_F(DataGridTest, DumpShowsTheCurrentRow) {
  grid().ScriptGoTo(7, 1);
  const ui::LogEntry dump = grid().Dump();
  EXPECT_EQ(dump["rows"], 50);
  EXPECT_EQ(dump["row"], 7);
  EXPECT_EQ(dump["firstRow"], 1);
  EXPECT_EQ(dump["texts"], (ui::LogEntry{"7", "案例7", "1007"}));
}

}  // namespace
}  // namespace data
