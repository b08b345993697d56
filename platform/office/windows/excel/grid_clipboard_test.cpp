// Copied cells as text for other programs and back, and the window's own paste and move of cells.
#include "platform/office/windows/excel/grid_clipboard.h"

#include <gtest/gtest.h>

#include "platform/office/excel/excel_test_support.h"

namespace office::windows::excel_window {
namespace {

using automation::Object;
using automation::Variant;
using excel::Area;
using Rows = std::vector<std::vector<std::string>>;

TEST(TabbedTextTest, FieldsThatHoldDelimitersAreQuotedAndReadBack) {
  EXPECT_EQ(ReadTabbedText("a\tb\r\nc\td\r\n"), (Rows{{"a", "b"}, {"c", "d"}}));
  EXPECT_EQ(ReadTabbedText("a\nb\rc"), (Rows{{"a"}, {"b"}, {"c"}})) << "any line break, and none at the end";
  EXPECT_EQ(ReadTabbedText("\tx\t\r\n\r\n"), (Rows{{"", "x", ""}, {""}})) << "empty fields and an empty line";
  EXPECT_EQ(ReadTabbedText("\"两\r\n行\"\t\"有\t制表\"\t\"说\"\"好\"\"\"\r\n"), (Rows{{"两\r\n行", "有\t制表", "说\"好\""}}));
  EXPECT_EQ(ReadTabbedText("\"未完"), (Rows{{"未完"}})) << "an unclosed quote ends with the text";
  EXPECT_EQ(ReadTabbedText("5\"寸\"\t\"a\"b"), (Rows{{"5\"寸\"", "ab"}})) << "a quote inside a field is text";
  EXPECT_TRUE(ReadTabbedText("").empty());
}

struct ClipboardTest : excel::testing::ExcelTest {
  std::shared_ptr<excel::ExcelApplication> Xl() const { return std::static_pointer_cast<excel::ExcelApplication>(app); }
  std::shared_ptr<excel::BookModel> Book() const { return Xl()->activeBook(); }
  excel::SheetModel& SheetNamed(const std::string& name) const { return *Book()->SheetNamed(name); }
  Object sheet = NewSheet();
};

TEST_F(ClipboardTest, CopiedTextIsWhatTheCellsShowAndReadsBackAsTheSameFields) {
  sheet.obj("Range", "A1").put("Value", "含\t制表");
  sheet.obj("Range", "B1").put("Value", "=2/3");
  sheet.obj("Range", "A2").put("Value", "\"引号\"");
  sheet.obj("Range", "B2").put("Value", "两\n行");
  const std::string text = TabbedText(*Book(), *Book()->sheets()[0], {1, 1, 2, 3});
  EXPECT_EQ(text, "\"含\t制表\"\t" + sheet.obj("Range", "B1").get("Text").toText() + "\t\r\n\"\"\"引号\"\"\"\t\"两\n行\"\t\r\n");
  EXPECT_EQ(ReadTabbedText(text), (Rows{{"含\t制表", sheet.obj("Range", "B1").get("Text").toText(), ""}, {"\"引号\"", "两\n行", ""}}));
  // A whole column gives its filled part only.
  EXPECT_EQ(TabbedText(*Book(), *Book()->sheets()[0], excel::ColumnsArea(2, 2)),
            sheet.obj("Range", "B1").get("Text").toText() + "\r\n\"两\n行\"\r\n");
  EXPECT_EQ(TabbedText(*Book(), *Book()->sheets()[0], excel::ColumnsArea(5, 5)), "");
}

TEST_F(ClipboardTest, APasteFillsASelectionThatHoldsTheCopyWholeTimesElseTakesTheCopysSize) {
  EXPECT_EQ(PasteArea({1, 1, 2, 1}, 2, {5, 3, 10, 4}), (Area{5, 3, 10, 4}));
  EXPECT_EQ(PasteArea({1, 1, 2, 1}, 2, {5, 3, 9, 4}), (Area{5, 3, 6, 3}));
  EXPECT_EQ(PasteArea({1, 1, 1, 1}, 1, excel::ColumnsArea(2, 2)), excel::ColumnsArea(2, 2));
  EXPECT_EQ(PasteArea({1, 1, 3, 3}, 0, {4, 4, 4, 4}), (Area{4, 4, 6, 6}));
  // Past the sheet's edge, or millions of cells: refused.
  EXPECT_THROW(PasteArea(excel::ColumnsArea(1, 1), 5, {2, 1, 2, 1}), runtime::Error);
  EXPECT_THROW(PasteArea({1, 1, 1, 2}, 1, {1, excel::kMaxColumns, 1, excel::kMaxColumns}), runtime::Error);
  EXPECT_THROW(PasteArea({1, 1, 1, 1}, 1, {1, 1, excel::kMaxRows, 10}), runtime::Error);
}

TEST_F(ClipboardTest, CopiedFormulasMoveTheirRelativePartsAndFromAnotherWorkbookAreReadThere) {
  sheet.obj("Range", "A1").put("Value", 4);
  sheet.obj("Range", "B1").put("Value", "=A1*2+$A$1");
  Book()->AddSheet("参数");
  xl.obj("Worksheets", "参数").obj("Range", "B2").put("Value", 10);
  sheet.obj("Range", "C1").put("Value", "=A1+参数!B2");
  auto from = Book();
  excel::SheetModel& first = *from->sheets()[0];
  const Contents copied = TakeContents(*from, first, {1, 1, 1, 3}, false);
  from->ClearContents(first, {3, 1, 4, 3});
  PasteContents(*from, first.id, {1, 1, 1, 3}, copied, *from, first, {3, 1, 4, 3});
  EXPECT_EQ(sheet.obj("Range", "B4").get("Formula").toText(), "=A4*2+$A$1");
  EXPECT_EQ(sheet.obj("Range", "A4").get("Value"), Variant(4.0));
  EXPECT_EQ(sheet.obj("Range", "B4").get("Value"), Variant(12.0));

  // Into a workbook without a sheet 参数: the formula reading it pastes as its value.
  const Object other = NewSheet();
  other.put("Name", "别的");
  auto to = Book();
  PasteContents(*from, first.id, {1, 1, 1, 3}, copied, *to, *to->sheets()[0], {2, 2, 2, 4});
  EXPECT_EQ(other.obj("Range", "C2").get("Formula").toText(), "=B2*2+$A$1");
  EXPECT_EQ(other.obj("Range", "D2").get("Formula").toText(), "14") << "its value, not a formula";
}

TEST_F(ClipboardTest, PastedAndMovedCellsTakeTheirLooksAlongAndUndoPutsTheOldLooksBack) {
  excel::SheetModel& first = *Book()->sheets()[0];
  sheet.obj("Range", "A1").put("Value", 1.5);
  first.cells.At(1, 1).format = "0.00";
  first.cells.At(1, 2).style.fill = 0xFFF2CC;  // a fill on an empty cell goes along too
  first.cells.At(1, 2).locked = false;
  first.cells.At(3, 1).style.bold = true;       // overwritten by the paste's plain look
  const Contents copied = TakeContents(*Book(), first, {1, 1, 1, 2}, false);
  const Contents before = TakeContents(*Book(), first, {3, 1, 4, 2}, false);
  Book()->ClearContents(first, {3, 1, 4, 2});
  PasteContents(*Book(), first.id, {1, 1, 1, 2}, copied, *Book(), first, {3, 1, 4, 2});
  for (int row : {3, 4}) {
    EXPECT_EQ(sheet.obj("Range", "A" + std::to_string(row)).get("Text").toText(), "1.50");
    EXPECT_EQ(first.cells.Find(row, 2)->style.fill, 0xFFF2CC);
    EXPECT_FALSE(first.cells.Find(row, 2)->locked);
  }
  EXPECT_FALSE(first.cells.Find(3, 1)->style.bold);

  PutContents(*Book(), first, {3, 1, 4, 2}, before, false);  // as undo puts it back
  EXPECT_TRUE(first.cells.Find(3, 1)->style.bold);
  EXPECT_EQ(first.cells.Find(4, 2), nullptr) << "a new cell's look again, and nothing stored";

  const CellMove move{first.id, first.id, {1, 1, 1, 2}, {6, 3, 6, 4}};
  const Contents moved = TakeContents(*Book(), first, move.from, false);
  Book()->ClearContents(first, move.from);
  MoveContents(*Book(), move, moved, ReadersOf(*Book(), move));
  EXPECT_EQ(sheet.obj("Range", "C6").get("Text").toText(), "1.50");
  EXPECT_EQ(first.cells.Find(6, 4)->style.fill, 0xFFF2CC);
  EXPECT_EQ(first.cells.Find(1, 2), nullptr) << "the cells left have a new cell's look";
  EXPECT_TRUE(first.cells.Find(1, 1) == nullptr || first.cells.Find(1, 1)->format.empty());
}

TEST_F(ClipboardTest, MovedCellsTakeTheFormulasThatReadThemAlong) {
  Book()->AddSheet("计算");
  const Object calc = xl.obj("Worksheets", "计算");
  sheet.obj("Range", "A1").put("Value", 5);
  sheet.obj("Range", "A2").put("Value", 7);
  sheet.obj("Range", "B1").put("Value", "=A1+A2+C9");  // moves, reading one moved cell and one that stays
  sheet.obj("Range", "D1").put("Value", "=SUM(A1:A2)+SUM(A1:A3)");  // a range wholly moved, one not
  calc.obj("Range", "A1").put("Value", "=Sheet1!A1*2");
  auto book = Book();
  excel::SheetModel& from = SheetNamed("Sheet1");
  excel::SheetModel& to = SheetNamed("计算");
  const CellMove move{from.id, to.id, {1, 1, 2, 2}, {5, 3, 6, 4}};
  const auto readers = ReadersOf(*book, move);
  ASSERT_EQ(readers.size(), 2u) << "D1 and 计算!A1; not the moved B1";
  const Contents contents = TakeContents(*book, from, move.from, false);
  book->ClearContents(from, move.from);
  MoveContents(*book, move, contents, readers);
  EXPECT_EQ(calc.obj("Range", "C5").get("Value"), Variant(5.0));
  EXPECT_EQ(calc.obj("Range", "D5").get("Formula").toText(), "=C5+C6+Sheet1!C9");
  EXPECT_EQ(sheet.obj("Range", "D1").get("Formula").toText(), "=SUM(计算!C5:C6)+SUM(A1:A3)");
  EXPECT_EQ(calc.obj("Range", "A1").get("Formula").toText(), "=C5*2");
  EXPECT_EQ(calc.obj("Range", "A1").get("Value"), Variant(10.0));
}

}  // namespace
}  // namespace office::windows::excel_window
