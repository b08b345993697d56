// The placeholder keys the refreshers replace: one shape for all, no key inside another key or
// inside anything else the templates hold, names without gaps, values fitting their format.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "data/tests/generated_workbook.h"
#include "data/tests/read_sets.h"
#include "tools/templategen/cell_address.h"

namespace datatest {
namespace {

// The value cell beside a key cell: C, I or S; the summary keys of house rows read A to I.
std::string ValueAddress(char keyColumn, int row) {
  switch (keyColumn) {
    case 'A': return "C" + std::to_string(row);
    case 'H': return "I" + std::to_string(row);
    case 'Q': return "S" + std::to_string(row);
    default: return std::string(1, static_cast<char>('A' + (keyColumn - 'L'))) + std::to_string(row);
  }
}

class ReadSetTest : public ::testing::TestWithParam<ReadSet> {
 protected:
  void SetUp() override { workbook = GeneratedWorkbook::Load(GetParam().workbook); }
  GeneratedWorkbook workbook;
};

TEST_P(ReadSetTest, EveryKeyHasTheFixedShapeAndIsUnique) {
  std::set<std::string> seen;
  for (const auto& range : GetParam().ranges) {
    const auto& s = workbook.sheet(range.sheet);
    for (int r = range.first; r <= range.last; ++r) {
      auto key = s.content(std::string(1, range.keyColumn) + std::to_string(r));
      EXPECT_TRUE(std::regex_match(key, KeyShape())) << range.sheet << "!" << range.keyColumn << r << " = '" << key << "'";
      EXPECT_TRUE(seen.insert(key).second) << key << " is read twice";
    }
  }
}

TEST_P(ReadSetTest, FormattedRowsHoldNumbersNotTexts) {
  for (const auto& range : GetParam().ranges) {
    if (range.format != Format::Formatted) continue;
    const auto& s = workbook.sheet(range.sheet);
    for (int r = range.first; r <= range.last; ++r) {
      auto address = ValueAddress(range.keyColumn, r);
      auto value = s.content(address);
      // Summary rows below 8 stay empty until tables are added.
      if (range.sheet != "估价结果汇总表" || r == 8) {
        EXPECT_NE(value, "") << range.sheet << "!" << address;
      }
      EXPECT_EQ(value.find("&\"\""), std::string::npos) << range.sheet << "!" << address << " turns a number into text";
      if (!s.isFormula(address) && value != "") {
        EXPECT_TRUE(s.cell(address)->value("value", nlohmann::json()).is_number()) << range.sheet << "!" << address;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Refreshers, ReadSetTest, ::testing::ValuesIn(ReadSets()),
                         [](const auto& param) { return "refresher" + std::to_string(param.index); });

// The template definition window lists names down to the first empty one; every refreshed row
// must be listed, so the names run without gaps from the first row.
TEST(ValueSheetNames, RunWithoutGapsToTheLastRefreshedRow) {
  struct List {
    std::string workbook, sheet;
    char nameColumn;
    int first, last;
  };
  for (const auto& l : std::vector<List>{{"市场法.xlt", "市场", 'B', 2, 298}, {"市场法.xlt", "收益", 'B', 2, 62},
                                          {"市场法.xlt", "收益", 'G', 3, 154}, {"成本法.xlt", "成本", 'B', 2, 315},
                                          {"基准地价与成本逼近.xlt", "基准地价", 'B', 2, 73},
                                          {"基准地价与成本逼近.xlt", "成本逼近", 'B', 2, 71}}) {
    auto w = GeneratedWorkbook::Load(l.workbook);
    const auto& s = w.sheet(l.sheet);
    for (int r = l.first; r <= l.last; ++r)
      EXPECT_NE(s.content(std::string(1, l.nameColumn) + std::to_string(r)), "") << l.sheet << "!" << l.nameColumn << r;
  }
}

// Rows listed but never refreshed carry the keys of the matching rows the same report refreshes.
TEST(ValueSheetKeys, UnrefreshedListedRowsShareTheRefreshedKeys) {
  auto market = GeneratedWorkbook::Load("市场法.xlt");
  for (int r = 2; r <= 26; ++r)
    EXPECT_EQ(market.sheet("收益").content("A" + std::to_string(r)), market.sheet("市场").content("A" + std::to_string(r)));
  auto land = GeneratedWorkbook::Load("基准地价与成本逼近.xlt");
  for (int r = 2; r <= 24; ++r)
    EXPECT_EQ(land.sheet("成本逼近").content("A" + std::to_string(r)), land.sheet("基准地价").content("A" + std::to_string(r)));
}

// Land summary values follow the column-major layout: ten rows per column A to N.
TEST(SummaryKeys, LandValuesFollowTheColumnsOfTheDataRows) {
  auto w = GeneratedWorkbook::Load("基准地价与成本逼近.xlt");
  const auto& s = w.sheet("估价结果汇总表");
  for (int k = 0; k < 14; ++k)
    for (int j = 0; j < 10; ++j) {
      auto value = s.content("S" + std::to_string(8 + 10 * k + j));
      auto source = templategen::ColumnName(k + 1) + std::to_string(8 + j);
      EXPECT_TRUE(value == "=" + source || value == "=" + source + "&\"\"") << value;
    }
}

// A key anywhere but in its own key cell would be replaced by the refresh: scan every template.
TEST(PlaceholderKeys, OccurNowhereButInTheirKeyCells) {
  std::set<std::string> keyCells;
  for (const auto& set : ReadSets())
    for (const auto& r : set.ranges)
      for (int row = r.first; row <= r.last; ++row) keyCells.insert(set.workbook + r.sheet + r.keyColumn + std::to_string(row));
  std::regex anywhere("_[A-Z]{2}[0-9]{3}_");
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder())) {
    if (entry.path().extension() != ".xlt") continue;
    auto w = GeneratedWorkbook::Load(entry.path().filename().string());
    for (const auto& s : w.sheets)
      for (const auto& a : s.addresses()) {
        auto text = s.content(a);
        if (!std::regex_search(text, anywhere)) continue;
        bool keyCell = std::regex_match(text, KeyShape()) &&
                       (keyCells.count(entry.path().filename().string() + s.name + a) ||
                        (s.name == "收益" && a[0] == 'A') || (s.name == "成本逼近" && a[0] == 'A'));
        EXPECT_TRUE(keyCell) << entry.path().filename() << " " << s.name << "!" << a << " holds a key: " << text;
      }
  }
}

}  // namespace
}  // namespace datatest
