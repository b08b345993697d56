#include "platform/office/excel/excel_test_support.h"

#include <nlohmann/json.hpp>

namespace excel::testing {
namespace {

using automation::Named;
using automation::Object;
using automation::Variant;

constexpr int kHeight = 36;

// The market sheet as the workbench reads it: control cells in row 1, table 1 in rows 2 to 37,
// the hidden template block in rows 38 to 73 with its label row 39 and unlocked case rows
// 45 to 70 in columns D to F; the summary sheet links to table 1 and to the block.
std::string MarketWorkbook() {
  nlohmann::json cells = {
      {"B1", {{"formula", "=ROW(A38)"}}}, {"C1", {{"formula", "=ROW(A73)"}}}, {"D1", {{"value", 1}}},
      {"E1", {{"formula", "=ROW(N39)"}}}, {"H1", {{"formula", "=ROW(A60)"}}}, {"J1", {{"formula", "=ROW(A30)"}}},
      {"N3", {{"value", "计算表编号：1"}}}, {"N39", {{"value", "计算表编号："}}},
      {"C40", {{"value", 100}}}, {"C41", {{"formula", "=C40*2"}}}, {"C42", {{"formula", "=SUM(C40:C41)+$D$1"}}}};
  for (int row = 9; row <= 34; ++row)
    for (const char* column : {"D", "E", "F"}) cells[column + std::to_string(row)] = {{"locked", false}};
  for (int row = 45; row <= 70; ++row)
    for (const char* column : {"D", "E", "F"}) cells[column + std::to_string(row)] = {{"locked", false}};
  const nlohmann::json book = {
      {"template", true},
      {"activeSheet", "市场法计算表"},
      {"sheets",
       {{{"name", "市场法计算表"}, {"cells", cells}, {"hiddenRows", {"38:73"}}, {"printArea", "$A$2:$O$37"},
         {"protection", {{"password", "qv"}}}},
        {{"name", "估价结果汇总表"},
         {"cells",
          {{"B9", {{"formula", "=市场法计算表!C30"}}}, {"C9", {{"formula", "=市场法计算表!$C$42"}}}}}}}}};
  return book.dump();
}

struct MarketSheetTest : ExcelTest {
  MarketSheetTest() {
    Open("市场法.xlt", MarketWorkbook());
    sheet = xl.obj("ActiveSheet");
  }
  std::int32_t Read32(const char* cell) const { return sheet.obj("Range", cell).get("Value").toInt32(); }
  std::int16_t Read16(const char* cell) const { return sheet.obj("Range", cell).get("Value").toInt16(); }
  static std::string Rows(int first, int last) { return std::to_string(first) + ":" + std::to_string(last); }

  // The append steps: copy the template block, insert it above itself, show and number it.
  void AddTable() {
    const std::int32_t b1 = Read32("B1"), c1 = Read32("C1");
    const std::int16_t d1 = Read16("D1"), e1 = Read16("E1");
    sheet.call("Unprotect", "qv");
    xl.obj("Rows", Rows(b1, c1)).call("Copy");
    xl.obj("Rows", b1).call("Select");
    xl.obj("Selection").call("Insert", Named("Shift", -4121));
    xl.obj("Rows", Rows(b1, c1)).put("Hidden", false);
    xl.obj("Range", "D1").put("Value", d1 + 1);
    xl.obj("Range", "N" + std::to_string(e1)).put("Value", "计算表编号：" + std::to_string(d1 + 1));
    xl.put("CutCopyMode", false);
    xl.obj("Range", "A" + std::to_string(b1 + 14)).call("Select");
    sheet.obj("PageSetup").put("PrintArea", "A2:O" + std::to_string(c1));
    sheet.call("Protect", "qv");
  }

  // The removal steps: delete the last table, the block and the control cells move up.
  void RemoveTable() {
    const std::int32_t b1 = Read32("B1"), c1 = Read32("C1");
    const std::int16_t d1 = Read16("D1");
    ASSERT_GT(b1, 38);
    sheet.call("Unprotect", "qv");
    xl.obj("Rows", Rows(b1 - kHeight, c1 - kHeight)).call("Select");
    xl.obj("Selection").call("Delete", Named("Shift", 3));
    xl.obj("Range", "D1").put("Formula", d1 - 1);
    xl.obj("Range", "A" + std::to_string(b1 - 58)).call("Select");
    sheet.call("Protect", "qv");
  }

  Object sheet;
};

TEST_F(MarketSheetTest, AddingAndRemovingATableMovesTheControlCells) {
  EXPECT_EQ(Read32("B1"), 38);
  EXPECT_EQ(Read32("C1"), 73);
  AddTable();
  EXPECT_EQ(Read32("B1"), 74);
  EXPECT_EQ(Read32("C1"), 109);
  EXPECT_EQ(Read16("D1"), 2);
  EXPECT_EQ(Read16("E1"), 75);
  EXPECT_EQ(Read16("H1"), 96);
  EXPECT_EQ(Read16("J1"), 30) << "rows above the insertion stay";
  RemoveTable();
  EXPECT_EQ(Read32("B1"), 38);
  EXPECT_EQ(Read32("C1"), 73);
  EXPECT_EQ(Read16("D1"), 1);
  EXPECT_EQ(sheet.obj("Range", "D1").get("Formula").toText(), "1");
  EXPECT_EQ(sheet.obj("Rows", "38:73").get("Hidden"), Variant(true));
  EXPECT_EQ(sheet.obj("Range", "N39").get("Value").toText(), "计算表编号：");
}

TEST_F(MarketSheetTest, TheNewTableIsAVisibleNumberedCopyOfTheBlock) {
  AddTable();
  AddTable();
  EXPECT_EQ(Read32("B1"), 36 * 3 + 2);
  EXPECT_EQ(sheet.obj("Rows", "38:109").get("Hidden"), Variant(false));
  EXPECT_EQ(sheet.obj("Rows", "110:145").get("Hidden"), Variant(true));
  EXPECT_EQ(sheet.obj("Range", "N39").get("Value").toText(), "计算表编号：2");
  EXPECT_EQ(sheet.obj("Range", "N75").get("Value").toText(), "计算表编号：3");
  EXPECT_EQ(sheet.obj("Range", "N111").get("Value").toText(), "计算表编号：");
  EXPECT_EQ(sheet.obj("Range", "C77").get("Formula").toText(), "=C76*2");
  EXPECT_EQ(sheet.obj("Range", "C78").get("Value").toDouble(), 303) << "=SUM(C76:C77)+$D$1 with D1 = 3";
  EXPECT_EQ(sheet.obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$109");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$A$88");
  EXPECT_EQ(xl.get("CutCopyMode"), Variant(false));
  // The case rows of table n (36n - 27 to 36n - 2) take the case texts on the protected sheet.
  for (int n : {1, 2, 3}) {
    const std::string first = std::to_string(36 * n - 27), last = std::to_string(36 * n - 2);
    EXPECT_EQ(ErrorNumberOf([&] { xl.obj("Range", "d" + first).put("Value", "5000"); }), 0) << n;
    EXPECT_EQ(ErrorNumberOf([&] { xl.obj("Range", "f" + last).put("Value", "出让"); }), 0) << n;
    EXPECT_EQ(ErrorNumberOf([&] { xl.obj("Range", "g" + last).put("Value", 1); }), 1004) << n;
  }
  EXPECT_EQ(sheet.obj("Range", "D81").get("Value").toDouble(), 5000);
}

TEST_F(MarketSheetTest, TheSummarySheetFollowsTheMarketSheet) {
  const Object summary = xl.obj("Worksheets", "估价结果汇总表");
  AddTable();
  EXPECT_EQ(summary.obj("Range", "B9").get("Formula").toText(), "=市场法计算表!C30");
  EXPECT_EQ(summary.obj("Range", "C9").get("Formula").toText(), "=市场法计算表!$C$78");
  EXPECT_EQ(summary.obj("Range", "C9").get("Value").toDouble(), 302);
  RemoveTable();
  EXPECT_EQ(summary.obj("Range", "C9").get("Formula").toText(), "=市场法计算表!$C$42");
}

}  // namespace
}  // namespace excel::testing
