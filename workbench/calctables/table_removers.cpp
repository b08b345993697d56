// The block removers: one routine for their common steps and a table of members.

#include <string>

#include "platform/automation/error_modes.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/ui/message_box.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/calctables/sheet_access.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/passwords.h"
#include "workbench/common/workbook_layout.h"

namespace 增加计算表 {
namespace {

using automation::Named;
using automation::Object;
using automation::ResumeNext;
using runtime::Int16;
using runtime::Int32;
using namespace workbench;

enum class Guard { TemplateBelowRow38, MoreThanOneTable };
enum class Reach {
  ActiveSheet,            // the caller has selected the sheet
  SelectsAfterReading,    // selects it after reading the control cells, then works on the active sheet
  SelectsAndNamesSheet,   // selects it when it may remove and addresses every step to it by name
};

struct RemoverMember {
  const char* sheet;
  Guard guard;
  std::int32_t height;
  Reach reach;
  char selectColumn;
  std::int32_t selectAboveB1;        // the cell selected afterwards is in row B1 minus this,
  const char* selectFixed = nullptr;  // or this cell
};

const RemoverMember kMarket{k市场法计算表, Guard::TemplateBelowRow38, 36, Reach::ActiveSheet, 'A', 58};
const RemoverMember kIncome1{k收益法计算表1, Guard::MoreThanOneTable, 57, Reach::ActiveSheet, 'A', 0, "A5"};
const RemoverMember kIncome2{k收益法计算表2, Guard::TemplateBelowRow38, 35, Reach::ActiveSheet, 'A', 0, "A5"};
const RemoverMember kCost{k成本法计算表, Guard::MoreThanOneTable, 119, Reach::SelectsAfterReading, 'A', 230};
const RemoverMember kBenchmark{k基准地价计算表, Guard::MoreThanOneTable, 35, Reach::SelectsAndNamesSheet, 'B', 63};
const RemoverMember kCostApproximation{k成本逼近计算表, Guard::MoreThanOneTable, 66, Reach::SelectsAndNamesSheet, 'A',
                                       120};

std::string SelectedCell(const RemoverMember& m, std::int32_t b1) {
  if (m.selectFixed) return m.selectFixed;
  return Address(m.selectColumn, (Int32(b1) - Int32(m.selectAboveB1)).value());
}

void RemoveLastTableBlock(const RemoverMember& m) {
  ResumeNext step;
  step([] { excel = AttachExcel(); });
  std::int32_t b1 = 0, c1 = 0;
  std::int16_t d1 = 0;
  step([&] { b1 = Sheet(m.sheet).obj("Range", "B1").get("Value").toInt32(); });
  step([&] { c1 = Sheet(m.sheet).obj("Range", "C1").get("Value").toInt32(); });
  step([&] { d1 = Sheet(m.sheet).obj("Range", "D1").get("Value").toInt16(); });
  if (m.reach == Reach::SelectsAfterReading) step([&] { Sheet(m.sheet).call("Select"); });

  const bool mayRemove = m.guard == Guard::TemplateBelowRow38 ? b1 > 38 : d1 > 1;
  if (!mayRemove) {
    ui::MsgBox("      对不起，最后一个计算表格系统不允许在删除！", ui::kOkOnly | ui::kInformation, "提示");
    return;
  }
  Object sheet;
  if (m.reach == Reach::SelectsAndNamesSheet) {
    step([&] { Sheet(m.sheet).call("Select"); });
    step([&] { sheet = Sheet(m.sheet); });
  } else {
    // Rows are deleted on the active sheet: when the select before did not bring this sheet up,
    // another sheet's rows would go.
    if (!ActiveSheetIs(m.sheet)) return;
    step([&] { sheet = excel.obj("ActiveSheet"); });
  }
  step([&] { sheet.call("Unprotect", kWorksheetPassword); });
  step([&] {
    const std::string rows =
        std::to_string((Int32(b1) - Int32(m.height)).value()) + ":" + std::to_string((Int32(c1) - Int32(m.height)).value());
    sheet.obj("Rows", rows).call("Select");
  });
  step([&] { excel.obj("Selection").call("Delete", Named("Shift", kXlUp)); });
  step([&] { sheet.obj("Range", "D1").put("Formula", (Int16(d1) - Int16(1)).value()); });
  step([&] { sheet.obj("Range", SelectedCell(m, b1)).call("Select"); });
  step([&] { sheet.call("Protect", kWorksheetPassword); });
}

}  // namespace

void DeleteMarketTable() { RemoveLastTableBlock(kMarket); }
void DeleteIncome1Table() { RemoveLastTableBlock(kIncome1); }
void DeleteIncome2Table() { RemoveLastTableBlock(kIncome2); }
void DeleteCostTable() { RemoveLastTableBlock(kCost); }
void DeleteBenchmarkTable() { RemoveLastTableBlock(kBenchmark); }
void DeleteCostApproximationTable() { RemoveLastTableBlock(kCostApproximation); }

}  // namespace 增加计算表
