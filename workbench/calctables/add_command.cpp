// The add command: checks the workbook, asks, and runs the appenders and the summary writer of
// the chosen method. It has no error handling of its own: a failure reaches the toolbar.

#include <string>
#include <vector>

#include "platform/ui/message_box.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/calctables/sheet_access.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/project_workbook.h"
#include "workbench/common/workbook_layout.h"

namespace 增加计算表 {
namespace {

using namespace workbench;

struct AddChoice {
  const char* group;
  const char* choiceCell;  // nullptr: the group has one method
  int choice;
  const char* title;
  const char* question;
  std::vector<void (*)()> procedures;
  const char* selectAfter;  // nullptr: the appender leaves its sheet selected
};

const std::vector<AddChoice> kAddChoices = {
    {k市场法, "D1", 1, "添加市场法与收益法加权平均计算表",
     "确定要增加一个市场法与收益法加权平均计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddMarketTableWeighted, WriteMarketSummaryRow}, nullptr},
    {k市场法, "D1", 2, "添加市场法计算表", "确定要增加一个市场法计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddMarketTable, WriteMarketSummaryRow}, nullptr},
    {k市场法, "D1", 3, "添加收益法计算表", "确定要增加一个收益法计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddIncomeTables, WriteIncomeSummaryRow}, nullptr},
    {k成本法, nullptr, 0, "添加成本法计算表", "确定要增加一个成本法计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddCostTable, WriteCostSummaryRow}, k成本法计算表},
    {k基准地价和成本逼近, "F1", 1, "添加基准地价和成本逼近计算表",
     "确定要增加一个基准地价和成本逼近计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddBenchmarkTable, AddCostApproximationTable, WriteLandWeightedSummaryRow}, k基准地价计算表},
    {k基准地价和成本逼近, "F1", 2, "添加基准地价计算表", "确定要增加一个基准地价计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddBenchmarkTable, WriteBenchmarkSummaryRow}, k基准地价计算表},
    {k基准地价和成本逼近, "F1", 3, "添加成本逼近计算表", "确定要增加一个成本逼近计算表吗？确定请单击 是 ,取消则单击 否 !",
     {AddCostApproximationTable, WriteCostApproximationSummaryRow}, k成本逼近计算表},
};

}  // namespace

void AddCalculationTable() {
  excel = AttachExcel();
  // Without a workbook or a sheet 参数 the check cannot be read: its error ends the command here.
  if (!IsProjectWorkbook(excel)) {
    ui::MsgBox("当前表格不是标准的Qorvane房地产项目表！请打开或激活标准项目表在执行本功能。",
               ui::kOkOnly | ui::kInformation);
    return;
  }
  if (ParameterValue("E7").toText().empty()) {
    ui::MsgBox("参数页[房屋所有权人]没有填写,这将影响到汇总数据！程序将终止。请返回参数页填写房屋所有权人后在继续增加计算表！",
               ui::kOkOnly | ui::kInformation, "提示");
    return;
  }
  const automation::Variant houseChoice = ParameterValue("D1");
  const std::string group = ParameterValue("B1").toText();
  for (const AddChoice& c : kAddChoices) {
    if (group != c.group) continue;
    if (c.choiceCell && !ChoiceIs(c.choiceCell == std::string("D1") ? houseChoice : ParameterValue(c.choiceCell), c.choice))
      continue;
    if (ui::MsgBox(c.question, ui::kYesNo | ui::kQuestion, c.title) != ui::kYes) return;
    for (auto procedure : c.procedures) procedure();
    if (c.selectAfter) Sheet(c.selectAfter).call("Select");
    return;
  }
}

}  // namespace 增加计算表
