// The current case in the field boxes, and its insertion into a comparison column of a table on
// 市场法计算表.

#include <array>
#include <optional>

#include "platform/automation/error_modes.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/runtime/numeric_reading.h"
#include "platform/ui/message_box.h"
#include "workbench/casequery/case_query_window.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/workbook_layout.h"

using automation::Object;
using automation::ResumeNext;

namespace {

// The boxes written, in the order of the rows that receive them.
constexpr std::array<int, 26> kWrittenBoxes = {4, 5, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18,
                                               19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
constexpr int kTableHeight = 36;

std::optional<std::string> ComparisonColumn(const std::string& choice) {
  if (choice == "交易案例1") return "d";
  if (choice == "交易案例2") return "e";
  if (choice == "交易案例3") return "f";
  return std::nullopt;
}

}  // namespace

// A missing value, or no current case at all, shows as an empty box.
std::string 案例查询::FieldText(int position) const {
  try {
    const automation::Variant value = Adodc1.recordset().Fields(position);
    return value.isNull() ? std::string() : value.toText();
  } catch (const automation::Error&) {
    return {};
  }
}

void 案例查询::DataGrid1_RowColChange(int, int) {
  for (int k = 3; k <= 31; ++k) Text(k).setText(FieldText(k - 3));
}

void 案例查询::Command2_Click() {
  ResumeNext step;
  Object xlApp;
  step([&] { xlApp = workbench::AttachExcel(); });
  const std::optional<std::string> column = ComparisonColumn(Combo2.Text());
  if (!column) {
    ui::MsgBox("没有在下拉框内选择交易案例，请选择一个交易案例，然后再单击“插入”。", ui::kOkOnly | ui::kInformation);
    return;
  }
  if (Text(3).Text().empty()) {
    ui::MsgBox("请必须选中列表中某一行之后，在点击本按钮。", ui::kOkOnly | ui::kInformation);
    return;
  }
  // The case goes nowhere but into 市场法计算表, and only into one of its tables.
  if (step.test([&] { return xlApp.obj("ActiveSheet").get("Name").toText() != workbench::k市场法计算表; })) {
    ui::MsgBox("当前表无法执行本功能。仅在市场法计算表中才能使用本功能！", ui::kOkOnly | ui::kInformation, "提示");
    return;
  }
  std::int16_t table = 0;
  step([&] { table = runtime::ToInt16(runtime::ReadLeadingNumber(Text2.Text())); });
  std::optional<std::int32_t> tables;
  step([&] {
    tables = xlApp.obj("ActiveWorkbook").obj("Worksheets", workbench::k市场法计算表).obj("Range", "D1").get("Value").toInt32();
  });
  if (!tables || table < 1 || table > *tables) {
    ui::MsgBox("选择的计算表编号超出范围，请输入1至" + std::to_string(tables.value_or(0)) + "之间的计算表编号！",
               ui::kOkOnly | ui::kInformation);
    return;
  }
  const runtime::Int32 base = runtime::Int32(kTableHeight) * runtime::Int32(table) - runtime::Int32(28);
  int failures = 0;
  for (std::size_t i = 0; i < kWrittenBoxes.size(); ++i) {
    const std::string address = *column + std::to_string((base + runtime::Int32(static_cast<std::int32_t>(i + 1))).value());
    const std::string text = Text(kWrittenBoxes[i]).Text();
    if (!automation::StopAtFirstError([&] { xlApp.obj("ActiveSheet").obj("Range", address).put("Value", text); }))
      ++failures;
  }
  if (failures > 0) {
    ui::MsgBox("交易案例未能全部写入当前计算表，请检查计算表的保护状态或Excel是否仍在运行！", ui::kOkOnly | ui::kInformation);
    return;
  }
  ui::MsgBox("查询的交易案例[" + Text(4).Text() + "]包括其所有基本信息已经成功更新至当前计算表中!",
             ui::kOkOnly | ui::kInformation);
}
