#include "workbench/templatedef/value_lists.h"

#include "platform/automation/error_modes.h"

namespace workbench::templatedef {
namespace {

using automation::Object;

constexpr ValueList kMarket{"市场", 'B', 2, 298, 'A'};
constexpr ValueList kRentSurvey{"收益", 'G', 3, 154, 'H'};
constexpr ValueList kIncomeCalculation{"收益", 'B', 2, 71, 'A'};
constexpr ValueList kHouseCost{"成本", 'B', 2, 315, 'A'};
constexpr ValueList kCostApproximation{"成本逼近", 'B', 2, 71, 'A'};
constexpr ValueList kBenchmarkLand{"基准地价", 'B', 2, 73, 'A'};

constexpr const char* kNotLandWorkbook =
    "当前表不是基准地价和成本逼近项目表，只有基准地价和成本逼近项目表在打开激活的状态才能选择基准地价和成本逼近模板定义功能！";

Object Cell(const Object& sheet, char column, int row) { return sheet.obj("Range", column + std::to_string(row)); }

}  // namespace

const std::array<Method, 5>& Methods() {
  static const std::array<Method, 5> methods = {{
      {"市场法", "市场法", "当前表不是市场法项目表，只有市场法项目表在打开激活的状态才能选择市价法模板定义功能！", &kMarket},
      {"收益法", "市场法",
       "当前表不是市场法和收益法项目表，只有市场法和收益法项目表在打开激活的状态才能选择收益法模板定义功能！", nullptr},
      {"成本法", "成本法", "当前表不是成本法项目表，只有成本法项目表在打开激活的状态才能选择成本法模板定义功能！", &kHouseCost},
      {"成本逼近", "基准地价和成本逼近", kNotLandWorkbook, &kCostApproximation},
      {"基准地价", "基准地价和成本逼近", kNotLandWorkbook, &kBenchmarkLand},
  }};
  return methods;
}

const std::array<IncomeTable, 2>& IncomeTables() {
  static const std::array<IncomeTable, 2> tables = {{
      {"收益法租金市场调查比较表", &kRentSurvey},
      {"房地产收益法评估测算表", &kIncomeCalculation},
  }};
  return tables;
}

// Only the rent survey table is told apart by its text; any other text goes with the calculation
// table's keys.
const ValueList* KeyList(int methodPosition, std::string_view incomeTableText) {
  if (methodPosition < 0 || methodPosition >= static_cast<int>(Methods().size())) return nullptr;
  const Method& method = Methods()[static_cast<std::size_t>(methodPosition)];
  if (method.list != nullptr) return method.list;
  return incomeTableText == IncomeTables()[0].item ? IncomeTables()[0].list : IncomeTables()[1].list;
}

void AddNames(const Object& excel, const ValueList& list, ui::ComboBox& combo) {
  automation::ResumeNext step;
  for (int row = list.firstRow; row <= list.lastRow; ++row) {
    std::string name;
    if (step.test([&] {
          name = Cell(excel.obj("ActiveWorkbook").obj("Worksheets", list.sheet), list.nameColumn, row).get("Value").toText();
          return name.empty();
        }))
      return;
    combo.AddItem(name);
  }
}

std::string KeyAt(const Object& excel, const std::string& workbook, const ValueList& list, int position) {
  const Object sheet = excel.obj("Workbooks", workbook).obj("Worksheets", list.sheet);
  return Cell(sheet, list.keyColumn, list.firstRow + position).get("Value").toText();
}

}  // namespace workbench::templatedef
