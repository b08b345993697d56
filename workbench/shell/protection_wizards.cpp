// The worksheet and workbook protection wizards: OK protects, Cancel unprotects.

#include <string>

#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/passwords.h"
#include "workbench/common/project_workbook.h"
#include "workbench/shell/shell_module.h"
#include "workbench/shell/worksheet_protection.h"

namespace 主类 {
namespace {

using automation::Object;
using automation::ResumeNext;
using namespace workbench;

std::string Question(const std::string& firstLine) {
  return firstLine + "\n\n点“确定”进行保护；\n\n点“取消”取消保护。 ";
}

bool AskProtect(const std::string& firstLine, const char* title) {
  return ui::MsgBox(Question(firstLine), ui::kOkCancel | ui::kInformation, title) != ui::kCancel;
}

}  // namespace

void ToggleWorksheetProtection() {
  ResumeNext step;
  step([] { excel = AttachOrCreateExcel(); });
  if (step.test([] { return !IsProjectWorkbook(excel); })) return;
  // The sheet the question is about: Excel stays usable while the box waits, and a workbook the
  // user activates meanwhile must not be protected with a password they do not know.
  Object sheet;
  step([&] { sheet = excel.obj("ActiveSheet"); });
  if (AskProtect("本操作将对当前评估表进行保护或者取消保护！  ", "工作表保护向导"))
    step([&] { ProtectWorksheet(sheet); });
  else
    step([&] { UnprotectWorksheet(sheet); });
}

void ToggleWorkbookProtection() {
  ResumeNext step;
  step([] { excel = AttachExcel(); });
  if (step.test([] { return !IsProjectWorkbook(excel); })) return;
  Object workbook;  // the one the question is about, as above
  step([&] { workbook = excel.obj("ActiveWorkbook"); });
  if (AskProtect("本操作将对本工作簿进行保护或者取消保护！  ", "工作薄保护向导"))
    step([&] { workbook.call("Protect", kWorkbookPassword); });
  else
    step([&] { workbook.call("Unprotect", kWorkbookPassword); });
}

}  // namespace 主类
