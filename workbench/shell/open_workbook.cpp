// Opening an existing workbook: the toolbar window's open-file dialog, then Excel opens the file.

#include "platform/automation/error_modes.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"
#include "workbench/common/office_attach.h"
#include "workbench/shell/gongjulan.h"
#include "workbench/shell/shell_module.h"

namespace 主类 {

void OpenWorkbookDialog() {
  ui::CommonDialog& dialog = ui::Default<gongjulan>().CommonDialog1;
  automation::ResumeNext()([] { excel = workbench::AttachExcel(); });
  dialog.CancelError = true;
  // A cancelled dialog, no Excel or a file Excel cannot open: the command ends without a word.
  automation::StopAtFirstError([&dialog] {
    dialog.Flags = ui::kHideReadOnly;
    dialog.Filter = "所有文件|*.*|Excel文件|*.xls;*.xlsx;*.xlt;*.xltx";
    dialog.FilterIndex = 2;
    dialog.ShowOpen();
    excel.obj("Workbooks").call("Open", dialog.FileName);
    excel.put("Visible", true);
  });
}

}  // namespace 主类
