// The delete command: removes the tables of the last add for the chosen method and clears the
// last summary row, refusing when the chosen method is not the method of that row.

#include <array>
#include <string>
#include <vector>

#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/calctables/sheet_access.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/passwords.h"
#include "workbench/common/project_workbook.h"
#include "workbench/common/workbook_layout.h"

namespace 增加计算表 {
namespace {

using automation::Object;
using automation::ResumeNext;
using namespace workbench;

struct Removal {
  const char* selectFirst;  // the removers that work on the active sheet need it selected
  void (*remover)();
};

struct DeleteChoice {
  int choice;
  std::array<const char*, 2> refusingLabels;
  const char* tableKind;  // as the refusal message names it
  std::vector<Removal> removals;
};

const std::vector<DeleteChoice> kHouseChoices = {
    {1,
     {"市场法", "收益法"},
     "市场法和收益法计算表格",
     {{k市场法计算表, DeleteMarketTable}, {k收益法计算表1, DeleteIncome1Table}, {k收益法计算表2, DeleteIncome2Table}}},
    {2, {"市场法与收益法加权", "收益法"}, "市场法计算表格", {{k市场法计算表, DeleteMarketTable}}},
    {3,
     {"市场法", "市场法与收益法加权"},
     "收益法计算表格",
     {{k收益法计算表1, DeleteIncome1Table}, {k收益法计算表2, DeleteIncome2Table}}},
};

const std::vector<DeleteChoice> kLandChoices = {
    {1,
     {"成本逼近法", "基准地价法"},
     "基准地价和成本逼近加权计算表格",
     {{nullptr, DeleteBenchmarkTable}, {nullptr, DeleteCostApproximationTable}}},
    {2, {"基准地价与成本逼近加权", "成本逼近法"}, "基准地价计算表格", {{nullptr, DeleteBenchmarkTable}}},
    {3, {"基准地价与成本逼近加权", "基准地价法"}, "成本逼近计算表", {{nullptr, DeleteCostApproximationTable}}},
};

std::string RefusalMessage(const DeleteChoice& c, const std::string& label) {
  return std::string("当前拟删除的表格和最后添加计算表不一致，当前要删除的表格是：") + c.tableKind +
         " ，最后增加的计算表是：" + label + "，删除后将影响汇总估价结果！无法继续，请在参数页选择" + label +
         "的估价方法，然后再执行删除工作！";
}

// Runs the removals of the chosen method; false when the label of the last row refuses them.
bool RemoveForChoice(ResumeNext& step, const std::vector<DeleteChoice>& choices, const char* choiceCell,
                     const std::string& label, bool& chosen) {
  for (const DeleteChoice& c : choices) {
    if (!step.test([&] { return ChoiceIs(ParameterValue(choiceCell), c.choice); })) continue;
    chosen = true;
    if (label == c.refusingLabels[0] || label == c.refusingLabels[1]) {
      ui::MsgBox(RefusalMessage(c, label), ui::kOkOnly | ui::kInformation, "提示");
      return false;
    }
    for (const Removal& r : c.removals) {
      if (r.selectFirst) step([&] { Sheet(r.selectFirst).call("Select"); });
      step([&] { r.remover(); });
    }
    return true;
  }
  return true;
}

// The last summary row goes, never the template's row 8.
void ClearSummaryRow(ResumeNext& step, std::int32_t last, char lastColumn) {
  if (last <= 8) return;
  step([] { Sheet(k估价结果汇总表).call("Select"); });
  step([] { Sheet(k估价结果汇总表).call("Unprotect", kWorksheetPassword); });
  step([&] { Sheet(k估价结果汇总表).obj("Range", Address('A', last) + ":" + Address(lastColumn, last)).call("Select"); });
  step([] { excel.obj("Selection").call("ClearContents"); });
  step([] { Sheet(k估价结果汇总表).call("Protect", kWorksheetPassword); });
}

std::string LabelOfRow(ResumeNext& step, char column, std::int32_t row) {
  std::string label;
  step([&] { label = Sheet(k估价结果汇总表).obj("Range", Address(column, row)).get("Value").toText(); });
  return label;
}

bool GroupIs(ResumeNext& step, const char* group) {
  return step.test([&] { return ParameterValue("B1").toText() == group; });
}

}  // namespace

void DeleteLastCalculationTable() {
  ResumeNext step;
  step([] { excel = AttachExcel(); });
  if (step.test([] { return !IsProjectWorkbook(excel); })) {
    ui::MsgBox("当前表不是标准的Qorvane房地产估价项目表。无法继续！", ui::kOkOnly | ui::kInformation, "提示");
    return;
  }
  if (ui::MsgBox("删除后将无法恢复，继续删除吗？", ui::kOkCancel | ui::kExclamation | ui::kDefaultButton2, "删除表") !=
      ui::kOk)
    return;

  std::int32_t last = 0;
  step([&] { last = LastDataRow('B'); });
  if (GroupIs(step, k市场法)) {
    const std::string label = LabelOfRow(step, 'J', last);
    bool chosen = false;
    if (!RemoveForChoice(step, kHouseChoices, "D1", label, chosen) || !chosen) return;
    ClearSummaryRow(step, last, 'J');
    return;
  }
  if (GroupIs(step, k成本法)) {
    step([] { DeleteCostTable(); });
    // Columns L to O of the summary rows hold the report's placeholder keys: only the columns a
    // house writer writes are cleared.
    ClearSummaryRow(step, last, 'J');
    return;
  }
  if (GroupIs(step, k基准地价和成本逼近)) {
    std::int32_t last2 = 0;
    step([&] { last2 = LastDataRow('A'); });
    const std::string label = LabelOfRow(step, 'O', last2);
    bool chosen = false;
    if (!RemoveForChoice(step, kLandChoices, "F1", label, chosen) || !chosen) return;
    step([] { Sheet(k估价结果汇总表).call("Select"); });
    ClearSummaryRow(step, last2, 'O');
  }
}

}  // namespace 增加计算表
