#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/workbook_file.h"
#include "platform/office/excel/xlsx_file.h"
#include "platform/office/excel/xlsx_test_package.h"

namespace excel {
namespace {

// Everything about how a workbook's cells look, sheet by sheet, as comparable lines.
std::vector<std::string> Looks(const BookModel& book) {
  std::vector<std::string> out;
  for (const auto& sheet : book.sheets()) {
    out.push_back("sheet " + sheet->name);
    for (const auto& [row, data] : sheet->cells.rows())
      for (const auto& [column, cell] : data.cells) {
        const CellFormat& f = cell.style;
        std::string line = ColumnLetters(column) + std::to_string(row) + " " + cell.format + (cell.locked ? " L" : " U");
        line += f.fill ? " fill " + RgbText(*f.fill) : "";
        line += f.fontColor ? " colour " + RgbText(*f.fontColor) : "";
        line += " size " + std::to_string(f.fontSize) + (f.bold ? " bold" : "") + (f.italic ? " italic" : "") + (f.wrap ? " wrap" : "");
        line += " " + std::string(NameOf(f.horizontal)) + "/" + std::string(NameOf(f.vertical));
        for (BorderLine b : f.borders) line += " " + std::string(NameOf(b));
        out.push_back(line);
      }
    std::vector<Area> merges = sheet->cells.merges();  // in no particular order
    std::sort(merges.begin(), merges.end(), [](const Area& a, const Area& b) { return std::pair(a.top, a.left) < std::pair(b.top, b.left); });
    for (const Area& m : merges) out.push_back("merge " + AddressText(m, false, false));
    for (const auto& [row, height] : sheet->cells.heights()) out.push_back("height " + std::to_string(row) + " " + std::to_string(height));
  }
  return out;
}

// The first line where two workbooks' looks differ, so that a failure says where.
void ExpectSameLooks(const BookModel& actual, const BookModel& expected) {
  const std::vector<std::string> a = Looks(actual), e = Looks(expected);
  for (std::size_t i = 0; i < std::min(a.size(), e.size()); ++i)
    if (a[i] != e[i]) {
      ADD_FAILURE() << "read back: " << a[i] << "\nexpected:  " << e[i];
      return;
    }
  EXPECT_EQ(a.size(), e.size());
}

// A sheet that uses every part of a cell's format.
std::shared_ptr<BookModel> FormattedBook() {
  auto book = std::make_shared<BookModel>();
  SheetModel& sheet = book->AddSheet("计算表");
  book->activeSheet = sheet.id;
  book->SetConstant(sheet, 2, 1, Variant(std::string("市场比较法计算表")));
  Cell& title = sheet.cells.At(2, 1);
  title.style.bold = true;
  title.style.fontSize = 16;
  title.style.horizontal = HorizontalAlignment::Center;
  title.style.vertical = VerticalAlignment::Center;
  sheet.cells.Merge({2, 1, 2, 6});
  sheet.cells.SetHeight(2, 27.75);
  for (int column = 1; column <= 6; ++column) {
    Cell& c = sheet.cells.At(3, column);
    c.style.fill = 0xDDEBF7;
    c.style.fontColor = 0x1F4E78;
    c.style.italic = column % 2 == 0;
    c.style.wrap = column == 3;
    c.style.borders = {BorderLine::Thin, BorderLine::Medium, BorderLine::Double, BorderLine::Dashed};
  }
  Cell& input = sheet.cells.At(4, 2);
  input.locked = false;
  input.format = "#,##0.00";
  input.style.horizontal = HorizontalAlignment::Right;
  input.style.vertical = VerticalAlignment::Top;
  input.style.borders = {BorderLine::Hair, BorderLine::Dotted, BorderLine::Thick, BorderLine::None};
  sheet.cells.SetHeight(9, 40);
  sheet.cells.SetHidden(9, 9, true);
  return book;
}

TEST(CellFormatTest, EveryPartOfACellsFormatSurvivesBothFileFormats) {
  const auto book = FormattedBook();
  const std::vector<std::string> looks = Looks(*book);
  EXPECT_EQ(Looks(*ParseWorkbookJson(WorkbookJson(*book, false), "a.xls").book), looks);
  EXPECT_EQ(Looks(*ParseXlsx(XlsxContent(*book, false), "a.xlsx").book), looks);
  // And once more through both, so that nothing is lost between them either.
  const auto viaXlsx = ParseXlsx(XlsxContent(*book, false), "a.xlsx").book;
  EXPECT_EQ(Looks(*ParseWorkbookJson(WorkbookJson(*viaXlsx, false), "b.xls").book), looks);
}

TEST(CellFormatTest, TheProjectWorkbooksLookTheSameAfterXlsxWithSeveralTables) {
  for (const char* name : {"市场法", "成本法", "基准地价与成本逼近"}) {
    SCOPED_TRACE(name);
    const auto file = ReadWorkbookFile(std::string(QORVANE_BIN_DIR) + "/" + name + ".xlt");
    BookModel& book = *file.book;
    ExpectSameLooks(*ParseXlsx(XlsxContent(book, false), "a.xlsx").book, book);
    // Two more tables on every calculation sheet, copied from its template block as the table
    // appender copies them.
    for (const auto& sheet : book.sheets()) {
      const Variant first = book.ValueAt(sheet->id, 1, 2), last = book.ValueAt(sheet->id, 1, 3);
      if (sheet->name.find("计算表") == std::string::npos || first.kind() != Variant::Kind::Double) continue;
      for (int table = 0; table < 2; ++table) {
        const int top = static_cast<int>(book.ValueAt(sheet->id, 1, 2).toDouble());
        book.InsertCopiedRows(*sheet, top, *sheet, top, static_cast<int>(last.toDouble() - first.toDouble()) + 1);
      }
    }
    const auto again = ParseXlsx(XlsxContent(book, false), "b.xlsx").book;
    ExpectSameLooks(*again, book);
    for (const auto& sheet : book.sheets())
      sheet->cells.ForEach({1, 1, kMaxRows, kMaxColumns}, [&](int row, int column, const Cell& cell) {
        if (!cell.hasContent()) return;
        EXPECT_EQ(again->ValueAt(again->SheetNamed(sheet->name)->id, row, column), book.ValueAt(sheet->id, row, column))
            << sheet->name << "!" << ColumnLetters(column) << row;
      });
  }
}

TEST(CellFormatTest, AFormatTheFileCannotMeanIsRefusedByName) {
  const auto error = [](const std::string& cell, const std::string& sheetExtra = "") {
    const std::string json = R"({"sheets": [{"name": "S", "cells": {"A1": )" + cell + "}" + sheetExtra + "}]}";
    try {
      ParseWorkbookJson(json, "坏.xls");
    } catch (const automation::Error& e) {
      EXPECT_EQ(e.number(), 1004);
      return e.description();
    }
    return std::string("read");
  };
  EXPECT_NE(error(R"({"fill": "yellow"})").find("colour"), std::string::npos);
  EXPECT_NE(error(R"({"fill": "#12345G"})").find("colour"), std::string::npos);
  EXPECT_NE(error(R"({"align": "middle"})").find("middle"), std::string::npos);
  EXPECT_NE(error(R"({"borders": {"inside": "thin"}})").find("inside"), std::string::npos);
  EXPECT_NE(error(R"({"borders": {"left": "wavy"}})").find("wavy"), std::string::npos);
  EXPECT_NE(error(R"({"font": {"size": 0}})").find("font size"), std::string::npos);
  EXPECT_NE(error(R"({"font": {"bold": "yes"}})").find("bold"), std::string::npos);
  EXPECT_NE(error("{}", R"(, "merges": ["A1:B2", "B2:C3"])").find("overlap"), std::string::npos);
  EXPECT_NE(error("{}", R"(, "merges": ["C3"])").find("one cell"), std::string::npos);
  EXPECT_NE(error("{}", R"(, "rowHeights": {"0": 20})").find("row height"), std::string::npos);
  EXPECT_NE(error("{}", R"(, "rowHeights": {"3": 500})").find("row height"), std::string::npos);
  EXPECT_EQ(error(R"({"fill": "#FFF2CC", "font": {"color": "#C00000", "size": 9.5}})", R"(, "merges": ["A1:B1", "C1:C2"])"), "read");
}

TEST(CellFormatTest, RowsCarryTheirFormatsMergesAndHeightsAsTheyMove) {
  const auto book = FormattedBook();
  SheetModel& sheet = *book->sheets().front();
  // A copied block: table rows 2..4 inserted again at row 5, as the table appenders do.
  book->InsertCopiedRows(sheet, 5, sheet, 2, 3);
  EXPECT_EQ(sheet.cells.merges(), (std::vector<Area>{{2, 1, 2, 6}, {5, 1, 5, 6}}));
  EXPECT_EQ(sheet.cells.Height(5), 27.75);
  EXPECT_EQ(sheet.cells.Height(12), 40);  // row 9 moved down by three
  ASSERT_NE(sheet.cells.Find(6, 3), nullptr);
  EXPECT_EQ(sheet.cells.Find(6, 3)->style, sheet.cells.Find(3, 3)->style);
  EXPECT_FALSE(sheet.cells.Find(7, 2)->locked);
  EXPECT_EQ(sheet.cells.Find(7, 2)->format, "#,##0.00");

  // Rows inserted inside a merged area widen it; deleting some of its rows narrows it, all of
  // them removes it, and the heights below follow.
  sheet.cells.Merge({20, 2, 22, 3});
  book->InsertRows(sheet, 21, 2);
  EXPECT_EQ(sheet.cells.merges().back(), (Area{20, 2, 24, 3}));
  book->DeleteRows(sheet, 19, 3);
  EXPECT_EQ(sheet.cells.merges().back(), (Area{19, 2, 21, 3}));
  book->DeleteRows(sheet, 19, 3);
  EXPECT_EQ(sheet.cells.merges().size(), 2u);
  book->DeleteRows(sheet, 4, 2);
  EXPECT_EQ(sheet.cells.merges(), (std::vector<Area>{{2, 1, 2, 6}}));
  EXPECT_EQ(sheet.cells.Height(5), 0);
  EXPECT_EQ(sheet.cells.Height(10), 40);
}

TEST(CellFormatTest, StylesWrittenByOtherSpreadsheetsAreReadForWhatTheySay) {
  // Theme and indexed colours count as automatic, a pattern that is not solid as no fill, a
  // style number beyond the lists as the default; <b val="0"/> is not bold.
  const std::string styles =
      R"(<fonts count="2"><font><sz val="11"/><color theme="1"/><name val="Calibri"/></font>)"
      R"(<font><b val="0"/><i/><sz val="14"/><color rgb="FFC00000"/></font></fonts>)"
      R"(<fills count="3"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill>)"
      R"(<fill><patternFill patternType="solid"><fgColor rgb="FFFFF2CC"/><bgColor indexed="64"/></patternFill></fill></fills>)"
      R"(<borders count="2"><border><left/><right/><top/><bottom/><diagonal/></border>)"
      R"(<border><left style="thin"><color indexed="64"/></left><right style="medium"/><top/><bottom style="slantDashDot"/></border></borders>)"
      R"(<cellXfs count="4"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/>)"
      R"(<xf numFmtId="4" fontId="1" fillId="2" borderId="1"><alignment horizontal="center" vertical="top" wrapText="1"/></xf>)"
      R"(<xf fontId="9" fillId="1" borderId="7"><alignment horizontal="centerContinuous"/></xf>)"
      R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0"><protection locked="0"/></xf></cellXfs>)"
      R"(<dxfs><dxf><font><b/></font><fill><patternFill><bgColor rgb="FF00FF00"/></patternFill></fill></dxf></dxfs>)";
  const std::string cells = R"(<row r="1" ht="30" customHeight="1"><c r="A1" s="1"><v>1</v></c><c r="B1" s="2"><v>2</v></c><c r="C1" s="3"/><c r="D1" s="99"/></row>)"
                            R"(<row r="2" ht="13.5"><c r="A2"><v>3</v></c></row>)";
  const auto book = ParseXlsx(office::WritePackage(OneSheetPackage(styles, cells, R"(<mergeCells count="1"><mergeCell ref="A3:B4"/></mergeCells>)")), "其他.xlsx").book;
  const CellStore& store = book->sheets().front()->cells;
  const CellFormat& a1 = store.Find(1, 1)->style;
  EXPECT_EQ(store.Find(1, 1)->format, "#,##0.00");
  EXPECT_FALSE(a1.bold);
  EXPECT_TRUE(a1.italic);
  EXPECT_EQ(a1.fontSize, 14);
  EXPECT_EQ(a1.fontColor, Rgb{0xC00000});
  EXPECT_EQ(a1.fill, Rgb{0xFFF2CC});
  EXPECT_EQ(a1.horizontal, HorizontalAlignment::Center);
  EXPECT_EQ(a1.vertical, VerticalAlignment::Top);
  EXPECT_TRUE(a1.wrap);
  EXPECT_EQ(a1.borders, (std::array<BorderLine, 4>{BorderLine::Thin, BorderLine::None, BorderLine::Medium, BorderLine::Thin}));
  EXPECT_TRUE(store.Find(1, 2)->style.isDefault());
  EXPECT_FALSE(store.Find(1, 3)->locked);
  EXPECT_EQ(store.Find(1, 4), nullptr);  // nothing to keep
  EXPECT_EQ(store.Height(1), 30);
  EXPECT_EQ(store.Height(2), 0);
  EXPECT_EQ(store.merges(), (std::vector<Area>{{3, 1, 4, 2}}));

  const auto refused = [&](const std::string& afterData) {
    try {
      ParseXlsx(office::WritePackage(OneSheetPackage(styles, cells, afterData)), "坏.xlsx");
    } catch (const automation::Error& e) {
      return e.description();
    }
    return std::string("read");
  };
  EXPECT_NE(refused(R"(<mergeCells><mergeCell ref="A3:B4"/><mergeCell ref="B4:C9"/></mergeCells>)").find("overlap"), std::string::npos);
  EXPECT_NE(refused(R"(<mergeCells><mergeCell ref="A3"/></mergeCells>)").find("merged area"), std::string::npos);
}

}  // namespace
}  // namespace excel
