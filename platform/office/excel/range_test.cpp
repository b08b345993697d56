#include "platform/office/excel/excel_test_support.h"

namespace excel::testing {
namespace {

using automation::Named;
using automation::Object;
using automation::Variant;

struct RangeTest : ExcelTest {
  Object sheet = NewSheet();
  Object Cell(const char* a) const { return sheet.obj("Range", a); }
};

TEST_F(RangeTest, AValueIsWrittenAsTypingItWould) {
  Cell("A1").put("Value", "5000");
  EXPECT_EQ(Cell("A1").get("Value"), Variant(5000.0)) << "a text that reads as a number becomes the number";
  Cell("A2").put("Value", "=A1*2");
  EXPECT_EQ(Cell("A2").get("Formula").toText(), "=A1*2");
  EXPECT_EQ(Cell("A2").get("Value").toDouble(), 10000);
  Cell("A3").put("Value", "abc");
  EXPECT_EQ(Cell("A3").get("Value"), Variant("abc"));
  Cell("A4").put("Value", " 1,234.5 ");
  EXPECT_EQ(Cell("A4").get("Value"), Variant(1234.5));
  for (const char* text : {"12a", "1.2.3", "=", "计算表编号：2"}) {
    Cell("A5").put("Value", text);
    EXPECT_EQ(Cell("A5").get("Value"), Variant(text)) << text;
  }
  Cell("A6").put("Value", std::int16_t{7});
  EXPECT_EQ(Cell("A6").get("Value"), Variant(7.0)) << "cells keep numbers as doubles";
  Cell("A6").put("Formula", 41);
  EXPECT_EQ(Cell("A6").get("Formula").toText(), "41") << "a number as formula is a constant";
  Cell("A6").put("Value", "");
  EXPECT_TRUE(Cell("A6").get("Value").isEmpty());
}

TEST_F(RangeTest, ACellHoldsAt32767CharactersAsExcelCountsThem) {
  Cell("A1").put("Value", "kept");
  Cell("A1").put("Value", std::string(32767, 'x'));
  EXPECT_EQ(Cell("A1").get("Value").toText().size(), 32767u);
  EXPECT_EQ(ErrorNumberOf([&] { Cell("A1").put("Value", std::string(32768, 'x')); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { Cell("A2").put("Value", std::string(20 << 20, 'x')); }), 1004);
  EXPECT_EQ(Cell("A1").get("Value").toText().size(), 32767u) << "a refused write leaves the cell";
  std::string wide;
  for (int i = 0; i < 16384; ++i) wide += "\U0001F600";  // two units each
  EXPECT_EQ(ErrorNumberOf([&] { Cell("A3").put("Value", wide); }), 1004);
  EXPECT_EQ(ErrorNumberOf([&] { Open("long.json", R"({"sheets": [{"name": "S", "cells": {"A1": {"value": ")" +
                                                      std::string(32768, 'y') + R"("}}}]})"); }),
            1004);
}

TEST_F(RangeTest, TextIsTheShownValueWhileValueKeepsTheNumber) {
  const Object book = Open("formatted.json", R"({"sheets": [{"name": "值", "cells": {
      "A1": {"value": 1234.5678, "format": "#,##0.00"}, "A2": {"formula": "=A1*2", "format": "0.0"},
      "A3": {"value": true}, "A4": {"value": 0.1}}}]})");
  const Object s = book.obj("Worksheets", "值");
  EXPECT_EQ(s.obj("Range", "A1").get("Text").toText(), "1,234.57");
  EXPECT_EQ(s.obj("Range", "A1").get("Value").toDouble(), 1234.5678);
  EXPECT_EQ(s.obj("Range", "A2").get("Text").toText(), "2469.1");
  EXPECT_EQ(s.obj("Range", "A3").get("Text").toText(), "TRUE");
  EXPECT_EQ(s.obj("Range", "A4").get("Text").toText(), "0.1");
  s.obj("Range", "A1").call("ClearContents");
  s.obj("Range", "A1").put("Value", 2);
  EXPECT_EQ(s.obj("Range", "A1").get("Text").toText(), "2.00") << "clearing contents keeps the format";
}

TEST_F(RangeTest, EndUpFindsTheLastFilledCellOfAColumn) {
  const int last = xl.obj("Rows").get("Count").toInt32();
  EXPECT_EQ(last, 1048576);
  const auto endUp = [&](int column, int direction) {
    return sheet.obj("Cells", last, column).obj("End", direction).get("Row").toInt32();
  };
  EXPECT_EQ(endUp(2, 3), 1) << "an empty column ends at row 1";
  for (int row : {3, 4, 5, 9}) sheet.obj("Cells", row, 2).put("Value", row);
  EXPECT_EQ(endUp(2, 3), 9);
  EXPECT_EQ(endUp(2, -4162), 9) << "xlUp is the same";
  EXPECT_EQ(sheet.obj("Cells", 9, 2).obj("End", 3).get("Row").toInt32(), 5) << "from a filled cell to the next filled one";
  EXPECT_EQ(sheet.obj("Cells", 5, 2).obj("End", 3).get("Row").toInt32(), 3) << "to the top of the run";
  EXPECT_EQ(sheet.obj("Cells", 3, 2).obj("End", 4).get("Row").toInt32(), 5) << "down";
  EXPECT_EQ(sheet.obj("Cells", 5, 1).obj("End", 2).get("Column").toInt32(), 2) << "right";
  EXPECT_EQ(sheet.obj("Cells", 5, 9).obj("End", -4159).get("Column").toInt32(), 2) << "left";
  sheet.obj("Cells", 12, 2).put("Formula", "=\"\"");
  EXPECT_EQ(endUp(2, 3), 12) << "a formula counts as filled";
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Cells", 5, 2).obj("End", 7); }), 1004);
}

TEST_F(RangeTest, ColumnWidthTakesZeroTo255AndNothingElse) {
  const Object b = Cell("B3");
  EXPECT_EQ(b.get("ColumnWidth").toText(), "8.38");
  b.put("ColumnWidth", 0);
  EXPECT_EQ(b.get("ColumnWidth").toDouble(), 0);
  b.put("ColumnWidth", "255");
  EXPECT_EQ(b.get("ColumnWidth").toDouble(), 255) << "a text is read as a number";
  for (const Variant& bad : {Variant(256), Variant(-1), Variant("abc"), Variant(""), Variant(255.01)})
    EXPECT_EQ(ErrorNumberOf([&] { b.put("ColumnWidth", bad); }), 1004) << bad.toText();
  EXPECT_EQ(b.get("ColumnWidth").toDouble(), 255) << "a refused width changes nothing";
  Cell("A1:C1").put("ColumnWidth", 12.5);
  EXPECT_EQ(sheet.obj("Columns", "C").get("ColumnWidth").toDouble(), 12.5) << "every column of the range";
  Cell("C1").put("ColumnWidth", 3);
  EXPECT_TRUE(Cell("A1:C1").get("ColumnWidth").isNull()) << "differing widths";
}

TEST_F(RangeTest, AutoFitFitsColumnsToTheirContent) {
  Cell("A1").put("Value", "a longer text than fits");
  Cell("A2").put("Value", "short");
  Cell("B1").put("Value", "市场法");
  sheet.obj("Range", "A1:B2").obj("Columns").call("AutoFit");
  EXPECT_GT(Cell("A1").get("ColumnWidth").toDouble(), 20);
  EXPECT_LT(Cell("A1").get("ColumnWidth").toDouble(), 30);
  EXPECT_GT(Cell("B1").get("ColumnWidth").toDouble(), 5);
  EXPECT_EQ(Cell("C1").get("ColumnWidth").toDouble(), 8.38);
}

TEST_F(RangeTest, RangeTextsAddressesAndCounts) {
  EXPECT_EQ(Cell("a1").get("Address").toText(), "$A$1");
  EXPECT_EQ(Cell("d81").get("Address").toText(), "$D$81");
  EXPECT_EQ(Cell("A9:J9").get("Address").toText(), "$A$9:$J$9");
  EXPECT_EQ(Cell("A9:J9").get("Count").toInt32(), 10);
  EXPECT_EQ(sheet.obj("Rows", "38:73").get("Address").toText(), "$38:$73");
  EXPECT_EQ(sheet.obj("Rows", "38:73").get("Count").toInt32(), 36);
  EXPECT_EQ(sheet.obj("Rows", 5).get("Row").toInt32(), 5);
  EXPECT_EQ(sheet.obj("Columns", "B:C").get("Address").toText(), "$B:$C");
  EXPECT_EQ(Cell("B2").obj("EntireRow").get("Address").toText(), "$2:$2");
  EXPECT_EQ(Cell("B2").obj("EntireColumn").get("Address").toText(), "$B:$B");
  EXPECT_EQ(Cell("B2:D5").obj("Cells", 2, 3).get("Address", false, false).toText(), "D3");
  EXPECT_EQ(Cell("B2").get("Column").toInt32(), 2);
  EXPECT_EQ(sheet.obj("Range", "A1", "C3").get("Address").toText(), "$A$1:$C$3");
  for (const char* bad : {"", "A", "A0", "XFE1", "A1:", "1", "$A$"})
    EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", bad); }), 1004) << bad;
  EXPECT_EQ(ErrorNumberOf([&] { Cell("A1").get("Nope"); }), 438);
}

TEST_F(RangeTest, SelectionAndActiveCell) {
  Cell("C5:D6").call("Select");
  EXPECT_EQ(xl.obj("Selection").get("Address").toText(), "$C$5:$D$6");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$C$5");
  xl.obj("Selection").put("ColumnWidth", "10");
  EXPECT_EQ(Cell("D1").get("ColumnWidth").toDouble(), 10);
  const Object other = xl.obj("Workbooks").call("Add").toObject().obj("Worksheets", 1);
  EXPECT_EQ(ErrorNumberOf([&] { Cell("A1").call("Select"); }), 1004) << "a range of an inactive sheet cannot be selected";
  EXPECT_EQ(xl.obj("ActiveSheet").get("Name").toText(), other.get("Name").toText());
}

TEST_F(RangeTest, ObjectsOutlivingTheirWorkbookFailInsteadOfDangling) {
  const Object book = xl.get("ActiveWorkbook").toObject();
  const Object cell = Cell("A1");
  const Object rows = sheet.obj("Rows");
  book.call("Close");
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_TRUE(xl.get("ActiveWorkbook").toObject().isNothing());
  EXPECT_EQ(ErrorNumberOf([&] { cell.get("Value"); }), -2147417848);
  EXPECT_EQ(ErrorNumberOf([&] { rows.get("Hidden"); }), -2147417848);
  EXPECT_EQ(ErrorNumberOf([&] { sheet.get("Name"); }), -2147417848);
  EXPECT_EQ(ErrorNumberOf([&] { book.get("Name"); }), -2147417848);
  EXPECT_EQ(ErrorNumberOf([&] { xl.obj("Range", "A1"); }), 1004) << "no active sheet";
  const Object books = xl.obj("Workbooks");
  app.reset();
  xl = Object();
  EXPECT_EQ(ErrorNumberOf([&] { books.call("Add"); }), -2147417848) << "the application is gone";
}

TEST_F(RangeTest, CollectionsByNameAndPosition) {
  const Object books = xl.obj("Workbooks");
  EXPECT_EQ(books.obj("Item", 1).get("Name").toText(), "工作簿1");
  books.call("Add");
  EXPECT_EQ(books.get("Count").toInt32(), 2);
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "工作簿2");
  EXPECT_EQ(books.obj("Item", "工作簿1").obj("Sheets", "sheet1").get("Name").toText(), "Sheet1") << "names without letter case";
  EXPECT_EQ(ErrorNumberOf([&] { books.obj("Item", "工作簿9"); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { books.obj("Item", 3); }), 9);
  EXPECT_EQ(ErrorNumberOf([&] { xl.obj("Worksheets", "参数"); }), 9);
}

}  // namespace
}  // namespace excel::testing
