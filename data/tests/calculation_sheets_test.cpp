// The calculation sheets as the add, delete and summary commands rely on them: control cells,
// table heights, the hidden template block, and where every linked row lands after an add.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "data/tests/control_cells.h"
#include "data/tests/generated_workbook.h"
#include "tools/templategen/cell_address.h"

namespace datatest {
namespace {

// A row the summary links reach: control cell, value adjustment, extra offset, columns read.
struct LinkedRow {
  char control;
  int adjust;  // e.g. H1 − 36
  int offset;  // e.g. q + 113
  std::string columns;
};

struct CalculationSheet {
  std::string workbook;
  std::string sheet;
  int height;
  char labelColumn;
  bool labelOfLastTable;  // E1 names the last visible table's label row, not the block's
  std::string controls;   // row-1 cells that are row formulas
  std::vector<LinkedRow> links;
};
void PrintTo(const CalculationSheet& s, std::ostream* os) { *os << s.sheet; }

const std::vector<CalculationSheet>& Sheets() {
  static const std::vector<CalculationSheet> sheets = {
      {"市场法.xlt", "市场法计算表", 36, 'N', false, "BCEHIJ",
       {{'H', -36, 0, "CFJHG"}, {'I', -36, 0, "CM"}, {'J', 0, 0, "CM"}}},
      {"市场法.xlt", "收益法计算表1", 57, 'G', false, "BCEG", {{'G', 0, 0, "E"}}},
      {"市场法.xlt", "收益法计算表2", 35, 'I', false, "BCEIRST",
       {{'R', 0, 0, "CEHIF"}, {'R', 0, 27, "I"}, {'R', 0, 28, "I"}, {'T', 0, 0, "I"}, {'S', 0, 0, "I"}, {'I', 0, 0, "I"}}},
      {"成本法.xlt", "成本法计算表", 119, 'F', false, "BCEJ",
       {{'J', 0, 0, "IL"}, {'J', 0, 1, "C"}, {'J', 0, 2, "IC"}, {'J', 0, 114, "N"}, {'J', 0, 113, "N"}}},
      {"基准地价与成本逼近.xlt", "基准地价计算表", 35, 'G', true, "BCE",
       {{'E', 0, 5, "F"}, {'E', 0, 8, "CH"}, {'E', 0, 7, "CH"}, {'E', 0, 29, "C"}, {'E', 0, 33, "C"}}},
      {"基准地价与成本逼近.xlt", "成本逼近计算表", 66, 'C', false, "BCEK",
       {{'K', 0, 1, "B"}, {'K', 0, 3, "DB"}, {'K', 0, 4, "BD"}, {'K', 0, 60, "C"}, {'K', 0, 61, "C"}}},
  };
  return sheets;
}

std::string ControlAddress(char column) { return std::string(1, column) + "1"; }

std::map<char, RowFormula> Controls(const GeneratedSheet& s, const std::string& cells) {
  std::map<char, RowFormula> controls;
  for (char c : cells) {
    auto f = ParseRowFormula(s.content(ControlAddress(c)));
    EXPECT_TRUE(f) << s.name << " " << c << "1 is no row formula: " << s.content(ControlAddress(c));
    if (f) controls[c] = *f;
  }
  return controls;
}

class CalculationSheetTest : public ::testing::TestWithParam<CalculationSheet> {
 protected:
  void SetUp() override {
    workbook = GeneratedWorkbook::Load(GetParam().workbook);
    sheet = &workbook.sheet(GetParam().sheet);
    controls = Controls(*sheet, GetParam().controls);
    ASSERT_EQ(controls.size(), GetParam().controls.size());
    b1 = controls['B'].value();
    c1 = controls['C'].value();
  }
  GeneratedWorkbook workbook;
  const GeneratedSheet* sheet = nullptr;
  std::map<char, RowFormula> controls;
  int b1 = 0, c1 = 0;
};

TEST_P(CalculationSheetTest, OneTableAboveItsHiddenTemplateBlock) {
  const auto& p = GetParam();
  EXPECT_EQ(sheet->content("D1"), "1");
  EXPECT_FALSE(sheet->isFormula("D1"));
  EXPECT_EQ(c1 - b1 + 1, p.height);
  if (p.sheet == "市场法计算表") {
    EXPECT_EQ(b1, 38);
  }
  if (p.sheet == "收益法计算表2") {
    EXPECT_TRUE(b1 == 37 || b1 == 38) << b1;
  }
  EXPECT_EQ(b1 - p.height, 2) << "table 1 starts right below the control row";
  for (int r = b1; r <= c1; ++r) {
    EXPECT_TRUE(sheet->rowHidden(r)) << "row " << r;
  }
  for (int r = b1 - p.height; r < b1; ++r) EXPECT_FALSE(sheet->rowHidden(r)) << "row " << r;
  EXPECT_LE(sheet->lastRow(), c1) << "nothing may stand below the template block";
  int e1 = controls['E'].value();
  int labelRow = p.labelOfLastTable ? e1 : e1 - p.height;
  EXPECT_EQ(sheet->content(std::string(1, p.labelColumn) + std::to_string(labelRow)), "计算表编号：1");
}

TEST_P(CalculationSheetTest, TemplateBlockIsTableOneMovedDown) {
  const auto& p = GetParam();
  for (const auto& address : sheet->addresses()) {
    auto at = templategen::ParseAddress(address);
    if (at.row < b1 - p.height || at.row >= b1) continue;
    auto copy = Address(at.column, at.row + p.height);
    EXPECT_EQ(sheet->locked(address), sheet->locked(copy)) << address;
    EXPECT_EQ(sheet->coloured(address), sheet->coloured(copy)) << address;
    EXPECT_EQ(sheet->isFormula(address), sheet->isFormula(copy)) << address;
    if (!sheet->isFormula(address)) {
      EXPECT_EQ(sheet->content(address), sheet->content(copy)) << address;
    }
  }
}

// After one add every linked row lies in the newest block at table 1's offset, the label lands
// in the new block, and one delete restores the one-table values.
TEST_P(CalculationSheetTest, AddAndDeleteKeepEveryLinkInTheNewestTable) {
  const auto& p = GetParam();
  const int h = p.height, tableOne = b1 - h;
  int e1 = controls['E'].value();
  int newLabel = p.labelOfLastTable ? e1 + 35 : e1;
  EXPECT_EQ(newLabel - b1, (p.labelOfLastTable ? e1 : e1 - h) - tableOne);

  auto added = controls;
  for (auto& [c, f] : added) f.insertRows(b1, h);
  EXPECT_EQ(added['B'].value(), b1 + h);
  EXPECT_EQ(added['C'].value(), c1 + h);
  if (p.labelOfLastTable) {
    EXPECT_EQ(added['E'].value(), newLabel);
  }
  for (const auto& link : p.links) {
    int before = controls[link.control].value() + link.adjust + link.offset;
    int after = added[link.control].value() + link.adjust + link.offset;
    EXPECT_GE(before, tableOne);
    EXPECT_LT(before, b1) << link.control << "1 misses table 1";
    EXPECT_EQ(after - b1, before - tableOne) << link.control << "1 + " << link.offset << " stays on table 1 after an add";
    for (char column : link.columns)
      EXPECT_NE(sheet->content(std::string(1, column) + std::to_string(before)), "")
          << "the linked cell " << column << before << " is empty";
  }

  auto removed = added;
  for (auto& [c, f] : removed) f.deleteRows(added['B'].value() - h, h);
  for (auto& [c, f] : removed) {
    EXPECT_FALSE(f.broken) << c << "1 refers into the deleted table";
    EXPECT_EQ(f.value(), controls[c].value()) << c << "1";
  }
}

INSTANTIATE_TEST_SUITE_P(Sheets, CalculationSheetTest, ::testing::ValuesIn(Sheets()),
                         [](const auto& param) { return "sheet" + std::to_string(param.index); });

TEST(MarketCaseRows, CaseColumnsAreUnlockedInTableOneAndTheTemplateBlock) {
  auto w = GeneratedWorkbook::Load("市场法.xlt");
  const auto& s = w.sheet("市场法计算表");
  for (int first : {9, 45})
    for (int r = first; r < first + 26; ++r)
      for (char c : std::string("DEF")) {
        EXPECT_FALSE(s.locked(std::string(1, c) + std::to_string(r))) << c << r;
      }
  const char* items[] = {"建筑物名称", "交易价格", "交易情况", "交易时间", "交易状况", "付款方式", "土地使用年限",
                         "房产用途", "土地级别", "产业规模", "设施完善程度", "交通便捷程度", "市场配合",
                         "自然条件状况", "环境质量", "城市规划限制", "临街状况地势", "新旧程度", "面积",
                         "装修情况", "设施设备", "平面布置", "工程质量", "建筑结构", "楼层", "朝向"};
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(s.content("A" + std::to_string(9 + i)), items[i]);
  }
}

}  // namespace
}  // namespace datatest
