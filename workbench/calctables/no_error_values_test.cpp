// What the refreshers read must hold no error value, in a new workbook and after adds and a
// delete of every method: the value sheets' value columns and the summary rows.

#include "workbench/calctables/calc_tables_test_support.h"

namespace 增加计算表::testing {
namespace {

struct Project {
  const char* templateFile;
  const char* choiceCell;
  std::vector<int> choices;
  std::vector<std::pair<const char*, char>> valueColumns;
};

const std::vector<Project> kProjects = {
    {"市场法.xlt", "D1", {1, 2, 3}, {{"市场", 'C'}, {"收益", 'C'}, {"收益", 'I'}}},
    {"成本法.xlt", nullptr, {0}, {{"成本", 'C'}}},
    {"基准地价与成本逼近.xlt", "F1", {1, 2, 3}, {{"基准地价", 'C'}, {"成本逼近", 'C'}}},
};

struct NoErrorValuesTest : CalcTablesTest {
  void ExpectNoErrorValues(const Project& p, const std::string& when) {
    for (const auto& [sheet, column] : p.valueColumns)
      for (int row = 2; row <= 400; ++row) {
        const std::string address = std::string(1, column) + std::to_string(row);
        EXPECT_FALSE(Value(sheet, address).isError()) << sheet << "!" << address << " " << when;
      }
    for (int row = 8; row <= 12; ++row)
      for (char column = 'A'; column <= 'T'; ++column) {
        const std::string address = std::string(1, column) + std::to_string(row);
        EXPECT_FALSE(Value("估价结果汇总表", address).isError()) << "估价结果汇总表!" << address << " " << when;
      }
  }
};

TEST_F(NoErrorValuesTest, NewWorkbooksAndAddsOfEveryMethod) {
  for (const Project& p : kProjects) {
    OpenProject(p.templateFile);
    ExpectNoErrorValues(p, std::string(p.templateFile) + " new");
    for (int choice : p.choices) {
      if (p.choiceCell) Set("参数", p.choiceCell, choice);
      Answer(ui::kYes);
      AddCalculationTable();
      ExpectNoErrorValues(p, std::string(p.templateFile) + " after an add, choice " + std::to_string(choice));
    }
    Answer(ui::kOk);
    DeleteLastCalculationTable();
    ExpectNoErrorValues(p, std::string(p.templateFile) + " after a delete");
  }
}

}  // namespace
}  // namespace 增加计算表::testing
