// The block appenders: one routine for the common steps and a table of members.

#include <string>

#include "platform/automation/error_modes.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/ui/message_box.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/calctables/sheet_access.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/passwords.h"
#include "workbench/common/project_workbook.h"
#include "workbench/common/workbook_layout.h"

namespace 增加计算表 {
namespace {

using automation::ErrorMode;
using automation::Named;
using automation::Object;
using automation::Steps;
using runtime::Int16;
using runtime::Int32;
using namespace workbench;

constexpr const char* kIncomeMarkerMessage = "当前表不是标准的Qorvane房地产估价项目表。无法继续！";

// Steps before the common ones; false ends the member without touching its sheet.
using Before = bool (*)(Steps&, const char* sheet);
using After = void (*)(Steps&);

struct AppenderMember {
  const char* sheet;
  ErrorMode mode;
  Before before;
  char labelColumn;
  int labelBelowE1;  // the label row is E1 plus this
  char cursorColumn;
  int cursorBelowB1;
  char printColumn;
  int printBelowC1;     // the print area ends at C1 plus this
  After beforeProtect;  // between the print area and the protection
  After afterProtect;
};

bool SheetIsActiveAfterSelect(Steps& step, const char* sheet) {
  step([&] { Sheet(sheet).call("Select"); });
  return ActiveSheetIs(sheet);
}

bool WeightedChoiceThenSelect(Steps& step, const char* sheet) {
  if (!ChoiceIs(ParameterValue("D1"), 1)) return false;
  return SheetIsActiveAfterSelect(step, sheet);
}

// The income members are also called on their own sheet by AddIncomeTables, which selected it.
bool MarkerThenActiveSheet(Steps& step, const char* sheet) {
  if (step.test([] { return !IsProjectWorkbook(excel); })) {
    ui::MsgBox(kIncomeMarkerMessage, ui::kOkOnly | ui::kInformation, "提示");
    return false;
  }
  return ActiveSheetIs(sheet);
}

// The new income table on the second sheet takes the objective rent of the new table on the first.
void WriteIncomeLink(Steps& step) {
  std::int16_t g1 = 0, i1 = 0;
  step([&] { g1 = Sheet(k收益法计算表1).obj("Range", "G1").get("Value").toInt16(); });
  step([&] { i1 = Sheet(k收益法计算表2).obj("Range", "I1").get("Value").toInt16(); });
  step([&] {
    CellOf(Sheet(k收益法计算表2), 'I', i1)
        .put("FormulaR1C1", "=" + std::string(k收益法计算表1) + "!R" + std::to_string(g1) + "C5");
  });
}

void ThenIncomePair(Steps& step) {
  step([] { Sheet(k收益法计算表1).call("Select"); });
  step([] { AddIncomeTables(); });
  step([] { Sheet(k市场法计算表).call("Select"); });
}

void Nothing(Steps&) {}

const AppenderMember kMarketWeighted{k市场法计算表, ErrorMode::Propagate, WeightedChoiceThenSelect, 'N', 0, 'A', 14,
                                     'O', 0, Nothing, ThenIncomePair};
const AppenderMember kMarket{k市场法计算表, ErrorMode::Ignore, SheetIsActiveAfterSelect, 'N', 0, 'B', 15, 'O', 0,
                             Nothing, Nothing};
const AppenderMember kIncome1{k收益法计算表1, ErrorMode::Ignore, MarkerThenActiveSheet, 'G', 0, 'C', 16, 'G', -1,
                              Nothing, Nothing};
const AppenderMember kIncome2{k收益法计算表2, ErrorMode::Ignore, MarkerThenActiveSheet, 'I', 0, 'C', 11, 'J', -1,
                              WriteIncomeLink, Nothing};
const AppenderMember kCost{k成本法计算表, ErrorMode::Propagate, SheetIsActiveAfterSelect, 'F', 0, 'A', 16, 'R', 0,
                           Nothing, Nothing};
const AppenderMember kBenchmark{k基准地价计算表, ErrorMode::Ignore, SheetIsActiveAfterSelect, 'G', 35, 'B', 11, 'H', -1,
                                Nothing, Nothing};
const AppenderMember kCostApproximation{k成本逼近计算表, ErrorMode::Ignore, SheetIsActiveAfterSelect, 'C', 0, 'A', 17,
                                        'D', -1, Nothing, Nothing};

void AppendTableBlock(const AppenderMember& m) {
  Steps step(m.mode);
  step([] { excel = AttachExcel(); });
  if (!m.before(step, m.sheet)) return;

  Object sheet;
  std::int32_t b1 = 0, c1 = 0;
  std::int16_t d1 = 0, e1 = 0;
  step([&] { sheet = excel.obj("ActiveSheet"); });
  step([&] { b1 = sheet.obj("Range", "B1").get("Value").toInt32(); });
  step([&] { c1 = sheet.obj("Range", "C1").get("Value").toInt32(); });
  step([&] { d1 = sheet.obj("Range", "D1").get("Value").toInt16(); });
  step([&] { e1 = sheet.obj("Range", "E1").get("Value").toInt16(); });
  step([&] { sheet.call("Unprotect", kWorksheetPassword); });

  ProtectAgainOnFailure(sheet, kWorksheetPassword, [&] {
    const std::string block = std::to_string(b1) + ":" + std::to_string(c1);
    step([&] { sheet.obj("Rows", block).call("Copy"); });
    step([&] { sheet.obj("Rows", b1).call("Select"); });
    step([&] { excel.obj("Selection").call("Insert", Named("Shift", kXlShiftDown)); });
    step([&] { sheet.obj("Rows", block).put("Hidden", false); });
    step([&] { sheet.obj("Range", "D1").put("Value", (Int16(d1) + Int16(1)).value()); });
    step([&] {
      const Int16 labelRow = Int16(e1) + Int16(static_cast<std::int16_t>(m.labelBelowE1));
      CellOf(sheet, m.labelColumn, labelRow).put("Value", "计算表编号：" + std::to_string((Int16(d1) + Int16(1)).value()));
    });
    step([&] { excel.put("CutCopyMode", false); });
    step([&] { CellOf(sheet, m.cursorColumn, Int32(b1) + Int32(m.cursorBelowB1)).call("Select"); });
    step([&] {
      sheet.obj("PageSetup").put("PrintArea", "A2:" + Address(m.printColumn, Int32(c1) + Int32(m.printBelowC1)));
    });
    m.beforeProtect(step);
  });
  step([&] { sheet.call("Protect", kWorksheetPassword); });
  m.afterProtect(step);
}

}  // namespace

void AddMarketTableWeighted() { AppendTableBlock(kMarketWeighted); }
void AddMarketTable() { AppendTableBlock(kMarket); }
void AddIncome1Table() { AppendTableBlock(kIncome1); }
void AddIncome2Table() { AppendTableBlock(kIncome2); }
void AddCostTable() { AppendTableBlock(kCost); }
void AddBenchmarkTable() { AppendTableBlock(kBenchmark); }
void AddCostApproximationTable() { AppendTableBlock(kCostApproximation); }

void AddIncomeTables() {
  Steps step(ErrorMode::Ignore);
  step([] { excel = AttachExcel(); });
  if (step.test([] { return !IsProjectWorkbook(excel); })) {
    ui::MsgBox(kIncomeMarkerMessage, ui::kOkOnly | ui::kInformation, "提示");
    return;
  }
  step([] { Sheet(k收益法计算表1).call("Select"); });
  step([] { AddIncome1Table(); });
  step([] { Sheet(k收益法计算表2).call("Select"); });
  step([] { AddIncome2Table(); });
  step([] { Sheet(k收益法计算表1).call("Select"); });
}

}  // namespace 增加计算表
