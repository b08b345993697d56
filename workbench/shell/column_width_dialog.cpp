#include "workbench/shell/column_width_dialog.h"

#include <optional>

#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/project_workbook.h"
#include "workbench/shell/worksheet_protection.h"

namespace {

using automation::Object;
using automation::StopAtFirstError;

constexpr const char* kWidthRefused = "列宽范围为0-255个字符.请输入正确的列宽！";

// The active sheet, unprotected, when the active workbook is a project workbook. The dialog is
// modeless: by the time a button is pressed the user may have gone to a workbook of their own,
// whose sheet must not end up protected with a password they do not know. Nothing when any step
// fails, and then no protection has changed.
struct UnprotectedSheet {
  Object excel;
  Object sheet;
};

std::optional<UnprotectedSheet> UnprotectProjectSheet() {
  std::optional<UnprotectedSheet> unprotected;
  StopAtFirstError([&] {
    const Object excel = workbench::AttachExcel();
    if (!workbench::IsProjectWorkbook(excel)) return;
    const Object sheet = excel.obj("ActiveSheet");
    主类::UnprotectWorksheet(sheet);
    unprotected = UnprotectedSheet{excel, sheet};
  });
  return unprotected;
}

void ProtectAgain(const Object& sheet) {
  StopAtFirstError([&] { 主类::ProtectWorksheet(sheet); });
}

}  // namespace

Form3::Form3() : Form("Form3") {
  setCaption("调整列宽");
  setBorderStyle(ui::BorderStyle::FixedDialog);
  Move(4500, 3000, 4200, 1500);
  Label1.setCaption("请输入拟调整的列宽");
  Label1.Move(180, 180, 2400, 300);
  Text1.Move(180, 600, 2400, 330);
  Command1.setCaption("确定(&Y)");
  Command1.Move(2820, 120, 1200, 360);
  Command2.setCaption("适中(&M)");
  Command2.Move(2820, 540, 1200, 360);
  Command3.setCaption("取消(&N)");
  Command3.Move(2820, 960, 1200, 360);

  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
}

// With Excel gone or no workbook open the box simply stays empty.
void Form3::Form_Initialize() {
  StopAtFirstError([&] { Text1.setText(workbench::AttachExcel().obj("ActiveCell").get("ColumnWidth").toText()); });
}

// Excel reads the typed text as a number and takes only 0 to 255; the dialog tests nothing itself.
void Form3::Command1_Click() {
  const std::optional<UnprotectedSheet> active = UnprotectProjectSheet();
  if (!active) return;
  Object selection;
  if (!StopAtFirstError([&] { selection = active->excel.obj("Selection"); })) {
    ProtectAgain(active->sheet);
    return;
  }
  // Only a width that Excel refuses ends in the message; it closes the dialog as a success does.
  const bool set = StopAtFirstError([&] { selection.put("ColumnWidth", Text1.Text()); });
  ProtectAgain(active->sheet);
  if (!set) ui::MsgBox(kWidthRefused, ui::kOkOnly);
  ui::Unload(*this);
}

void Form3::Command2_Click() {
  const std::optional<UnprotectedSheet> active = UnprotectProjectSheet();
  if (!active) return;
  const bool fitted = StopAtFirstError([&] { active->excel.obj("Selection").obj("Columns").call("AutoFit"); });
  ProtectAgain(active->sheet);
  if (fitted) ui::Unload(*this);
}

void Form3::Command3_Click() { ui::Unload(*this); }

void ShowColumnWidthDialog() { ui::Default<Form3>().Show(); }
