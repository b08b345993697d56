// The user's edits undone and redone, and forgotten once a program changed the workbook.
#include "platform/office/windows/excel/edit_history.h"

#include <gtest/gtest.h>

#include "platform/office/excel/excel_test_support.h"

namespace office::windows::excel_window {
namespace {

using automation::Object;
using automation::Variant;

struct EditHistoryTest : excel::testing::ExcelTest {
  std::shared_ptr<excel::ExcelApplication> Xl() const { return std::static_pointer_cast<excel::ExcelApplication>(app); }
  Place At(const std::string& address) const {
    const auto book = Xl()->activeBook();
    return {book, book->activeSheet, *excel::ParseAreaText(address)};
  }
  // As the user types it.
  void Type(const std::string& address, const Variant& value) {
    history.Record({At(address)}, [&] { sheet.obj("Range", address).put("Value", value); });
  }
  Variant Value(const std::string& address) const { return sheet.obj("Range", address).get("Value"); }

  Object sheet = NewSheet();
  EditHistory history{*Xl()};
};

TEST_F(EditHistoryTest, EditsAreUndoneAndRedoneInTurnAndANewEditEndsTheRedo) {
  Type("A1", 1);
  Type("A1", "=2*3");
  Type("B1:B3", "文字");
  EXPECT_EQ(history.Undo()->area, (excel::Area{1, 2, 3, 2}));
  EXPECT_TRUE(Value("B2").isEmpty());
  history.Undo();
  EXPECT_EQ(Value("A1"), Variant(1.0));
  EXPECT_EQ(sheet.obj("Range", "A1").get("Formula").toText(), "1");
  history.Redo();
  EXPECT_EQ(sheet.obj("Range", "A1").get("Formula").toText(), "=2*3");
  EXPECT_EQ(Value("A1"), Variant(6.0));
  EXPECT_TRUE(history.CanRedo());
  Type("C1", "新");
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.Redo());
  history.Undo();
  history.Undo();
  history.Undo();
  EXPECT_TRUE(Value("A1").isEmpty());
  EXPECT_FALSE(history.Undo());
}

TEST_F(EditHistoryTest, AnEditThatFailsHalfWayLeavesTheCellsAsTheyWereAndIsNotKept) {
  Type("A1", "原来");
  EXPECT_THROW(history.Record({At("A1:A2")},
                              [&] {
                                sheet.obj("Range", "A1").put("Value", "改了");
                                sheet.obj("Range", "A2").put("Value", "=SUM(1,");
                              }),
               runtime::Error);
  EXPECT_EQ(Value("A1"), Variant("原来"));
  ASSERT_TRUE(history.CanUndo()) << "the edit before stays undoable";
  history.Undo();
  EXPECT_TRUE(Value("A1").isEmpty());
}

TEST_F(EditHistoryTest, AProgramsChangeOrAClosedWorkbookDropsTheHistory) {
  Type("A1", 1);
  sheet.obj("Range", "Z9").put("Value", 2);  // a program's write
  EXPECT_FALSE(history.Undo());
  EXPECT_EQ(Value("A1"), Variant(1.0));

  Type("A2", 3);
  sheet.obj("Range", "A2").get("Value");
  sheet.obj("Range", "A1").call("Select");  // reading and selecting change nothing
  ASSERT_TRUE(history.CanUndo());
  xl.obj("ActiveWorkbook").call("Close", false);
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(EditHistoryTest, ColumnWidthsAreUndoneToTheStandardWidth) {
  const Place columnB{At("A1").book, At("A1").sheet, excel::ColumnsArea(2, 2)};
  history.RecordWidths(columnB, [&] { sheet.obj("Columns", "B").put("ColumnWidth", 20); });
  history.RecordWidths(columnB, [&] { sheet.obj("Columns", "B").put("ColumnWidth", 30); });
  history.Undo();
  EXPECT_EQ(sheet.obj("Columns", "B").get("ColumnWidth"), Variant(20.0));
  history.Undo();
  EXPECT_EQ(sheet.obj("Columns", "B").get("ColumnWidth"), Variant(excel::kStandardColumnWidth));
  EXPECT_TRUE(Xl()->activeBook()->sheets()[0]->columnWidths.empty());
}

TEST_F(EditHistoryTest, OnlyTheLastHundredEditsAreKept) {
  for (int i = 1; i <= 120; ++i) Type("A1", i);
  int undone = 0;
  while (history.Undo()) ++undone;
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(Value("A1"), Variant(20.0));
}

}  // namespace
}  // namespace office::windows::excel_window
