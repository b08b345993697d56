// The project workbook templates: sheets of the method group, the marker and choice cells,
// protection and locking, and the result summary's row 8.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>

#include "data/tests/control_cells.h"
#include "data/tests/generated_workbook.h"
#include "tools/templategen/workbook.h"

namespace datatest {
namespace {

struct ProjectTemplate {
  std::string file;
  std::string group;
  std::vector<std::string> sheets;
  std::string choiceCell;  // "" where the group has no choice
};
void PrintTo(const ProjectTemplate& t, std::ostream* os) { *os << t.file; }

const std::vector<ProjectTemplate>& Templates() {
  static const std::vector<ProjectTemplate> t = {
      {"市场法.xlt", "市场法", {"参数", "市场法计算表", "收益法计算表1", "收益法计算表2", "估价结果汇总表", "市场", "收益"}, "D1"},
      {"成本法.xlt", "成本法", {"参数", "成本法计算表", "估价结果汇总表", "成本"}, ""},
      {"基准地价与成本逼近.xlt", "基准地价和成本逼近",
       {"参数", "基准地价计算表", "成本逼近计算表", "估价结果汇总表", "基准地价", "成本逼近"}, "F1"},
  };
  return t;
}

std::string Strip(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
  return s;
}

class ProjectTemplateTest : public ::testing::TestWithParam<ProjectTemplate> {
 protected:
  void SetUp() override { workbook = GeneratedWorkbook::Load(GetParam().file); }
  GeneratedWorkbook workbook;
};

TEST_P(ProjectTemplateTest, MarkerGroupChoiceAndOwner) {
  const auto& p = GetParam();
  auto names = workbook.sheetNames();
  std::sort(names.begin(), names.end());
  auto expected = p.sheets;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(workbook.json.value("template", false));
  const auto& params = workbook.sheet("参数");
  EXPECT_EQ(params.content("A1"), "Qorvane房地产");
  EXPECT_EQ(params.content("B1"), p.group);
  EXPECT_TRUE(params.locked("A1") && params.locked("B1"));
  EXPECT_FALSE(params.locked("E7")) << "the owner is typed by the user";
  for (const char* choice : {"D1", "F1"}) {
    if (p.choiceCell == choice) {
      EXPECT_EQ(params.content(choice), "1");
      EXPECT_FALSE(params.isFormula(choice));
      EXPECT_FALSE(params.locked(choice));
    } else {
      EXPECT_EQ(params.content(choice), "") << choice << " belongs to another method group";
    }
  }
}

TEST_P(ProjectTemplateTest, ProtectionUsesTheSystemPasswordsAndColouredCellsAreLocked) {
  if (workbook.json.contains("protection")) {
    EXPECT_EQ(workbook.json["protection"].value("password", ""), templategen::kWorkbookPassword);
  }
  for (const auto& s : workbook.sheets) {
    ASSERT_TRUE(s.json.contains("protection")) << s.name << " ships unprotected";
    EXPECT_EQ(s.json["protection"].value("password", ""), templategen::kWorksheetPassword) << s.name;
    for (const auto& a : s.addresses()) {
      if (s.coloured(a)) {
        EXPECT_TRUE(s.locked(a)) << s.name << "!" << a << " is coloured but editable";
      }
      if (!s.locked(a)) {
        EXPECT_FALSE(s.coloured(a)) << s.name << "!" << a;
      }
    }
  }
}

TEST_P(ProjectTemplateTest, SummaryOwnerColumnEndsAtRowEight) {
  const auto& summary = workbook.sheet("估价结果汇总表");
  const std::string owner = GetParam().group == "基准地价和成本逼近" ? "A" : "B";
  EXPECT_NE(summary.content(owner + "8"), "");
  for (int r = 9; r <= 1000; ++r) {
    EXPECT_EQ(summary.content(owner + std::to_string(r)), "") << owner << r;
  }
}

INSTANTIATE_TEST_SUITE_P(Templates, ProjectTemplateTest, ::testing::ValuesIn(Templates()),
                         [](const auto& param) { return "template" + std::to_string(param.index); });

// Row 8 holds, for every method choice, the links a summary writer would write for table 1.
struct RowEightCase {
  std::string file;
  std::string column;
  std::vector<std::string> branches;  // A1 form of the writer's link for each choice
};

void PrintTo(const RowEightCase& c, std::ostream* os) { *os << c.file << " " << c.column << "8"; }

class SummaryRowEightTest : public ::testing::TestWithParam<RowEightCase> {};

// The row variables of the writers, read from the control cells with one table.
std::map<std::string, int> RowVariables(const GeneratedWorkbook& w) {
  auto value = [&](const char* sheet, const char* cell) {
    auto f = ParseRowFormula(w.sheet(sheet).content(cell));
    return f ? f->value() : -1;
  };
  auto names = w.sheetNames();
  auto has = [&](const char* s) { return std::find(names.begin(), names.end(), s) != names.end(); };
  std::map<std::string, int> v;
  if (has("市场法计算表")) {
    v = {{"h", value("市场法计算表", "H1") - 36}, {"i", value("市场法计算表", "I1") - 36}, {"j", value("市场法计算表", "J1")},
         {"a", value("收益法计算表2", "R1")}, {"s", value("收益法计算表2", "S1")}, {"t", value("收益法计算表2", "T1")}};
  }
  if (has("成本法计算表")) v["q"] = value("成本法计算表", "J1");
  if (has("基准地价计算表")) v = {{"e", value("基准地价计算表", "E1")}, {"k", value("成本逼近计算表", "K1")}};
  return v;
}

// "{q+113}" becomes the row number.
std::string Expand(const std::string& pattern, const std::map<std::string, int>& vars) {
  static const std::regex slot(R"(\{([a-z])(\+([0-9]+))?\})");
  std::string out;
  auto begin = std::sregex_iterator(pattern.begin(), pattern.end(), slot);
  std::size_t last = 0;
  for (auto it = begin; it != std::sregex_iterator(); ++it) {
    out += pattern.substr(last, it->position() - last);
    int row = vars.at((*it)[1]) + ((*it)[3].matched ? std::stoi((*it)[3]) : 0);
    out += std::to_string(row);
    last = it->position() + it->length();
  }
  return out + pattern.substr(last);
}

TEST_P(SummaryRowEightTest, HoldsTheWriterLinksOfTableOne) {
  auto w = GeneratedWorkbook::Load(GetParam().file);
  auto vars = RowVariables(w);
  auto formula = Strip(w.sheet("估价结果汇总表").content(GetParam().column + "8"));
  for (const auto& pattern : GetParam().branches) {
    auto branch = Strip(Expand(pattern, vars));
    EXPECT_NE(formula.find(branch), std::string::npos) << GetParam().column << "8 = " << formula << " lacks " << branch;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Links, SummaryRowEightTest,
    ::testing::Values(
        RowEightCase{"市场法.xlt", "A", {"市场法计算表!C{h}", "收益法计算表2!C{a}"}},
        RowEightCase{"市场法.xlt", "C", {"市场法计算表!F{h}", "收益法计算表2!E{a}"}},
        RowEightCase{"市场法.xlt", "E", {"市场法计算表!J{h}", "收益法计算表2!H{a}"}},
        RowEightCase{"市场法.xlt", "F", {"市场法计算表!H{h}", "收益法计算表2!I{a}"}},
        RowEightCase{"市场法.xlt", "G", {"市场法计算表!G{h}", "收益法计算表2!F{a}"}},
        RowEightCase{"市场法.xlt", "H", {"市场法计算表!C{j}/2 + 收益法计算表2!I{t}/2", "市场法计算表!C{i},", "收益法计算表2!I{a+27})"}},
        RowEightCase{"市场法.xlt", "I",
                     {"市场法计算表!M{j}/2/10000 + 收益法计算表2!I{s}/2/10000", "市场法计算表!M{i}/10000,", "收益法计算表2!I{a+28}/10000)"}},
        RowEightCase{"市场法.xlt", "J", {"\"市场法与收益法加权\"", "\"市场法\"", "\"收益法\""}},
        RowEightCase{"成本法.xlt", "A", {"=成本法计算表!C{q+1}"}}, RowEightCase{"成本法.xlt", "C", {"=成本法计算表!I{q}"}},
        RowEightCase{"成本法.xlt", "E", {"=成本法计算表!I{q+2}"}}, RowEightCase{"成本法.xlt", "F", {"=成本法计算表!C{q+2}"}},
        RowEightCase{"成本法.xlt", "G", {"=成本法计算表!L{q}"}}, RowEightCase{"成本法.xlt", "H", {"=成本法计算表!N{q+114}"}},
        RowEightCase{"成本法.xlt", "I", {"=成本法计算表!N{q+113}/10000"}}, RowEightCase{"成本法.xlt", "J", {"成本法"}},
        RowEightCase{"基准地价与成本逼近.xlt", "C", {"基准地价计算表!F{e+5}", "成本逼近计算表!B{k+1}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "F", {"基准地价计算表!C{e+8}", "成本逼近计算表!D{k+3}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "I", {"基准地价计算表!H{e+8}", "成本逼近计算表!B{k+4}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "J", {"基准地价计算表!C{e+7}", "成本逼近计算表!D{k+4}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "K", {"基准地价计算表!H{e+7}", "成本逼近计算表!B{k+3}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "L", {"基准地价计算表!H{e+7}", "成本逼近计算表!B{k+3}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "M", {"基准地价计算表!C{e+29}", "成本逼近计算表!C{k+60}"}},
        RowEightCase{"基准地价与成本逼近.xlt", "N",
                     {"基准地价计算表!C{e+33}/2/10000 + 成本逼近计算表!C{k+61}/2/10000", "基准地价计算表!C{e+33}/10000,",
                      "成本逼近计算表!C{k+61}/10000)"}},
        RowEightCase{"基准地价与成本逼近.xlt", "O", {"\"基准地价与成本逼近加权\"", "\"基准地价法\"", "\"成本逼近法\""}}));

}  // namespace
}  // namespace datatest
