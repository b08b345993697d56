// Estivo, the appraisal workbench: makes sure an Excel runs, then shows the toolbar window, whose
// load handler serves the program until it ends.

#include "platform/automation/error_modes.h"
#include "platform/ui/form.h"
#include "platform/ui/program.h"
#include "workbench/common/office_attach.h"
#include "workbench/shell/gongjulan.h"

namespace {

// Errors ignored: without an Excel to create, the toolbar comes up all the same.
void Main() {
  automation::ResumeNext step;
  if (!workbench::ExcelMainWindowExists()) {
    automation::Object excel;
    step([&] { excel = workbench::AttachOrCreateExcel(); });
    step([&] { excel.obj("Workbooks").call("Add"); });
    step([&] { excel.put("Visible", true); });
  }  // the reference goes here: the visible Excel stays in the user's hands
  step([] { ui::Default<gongjulan>().Show(); });
}

}  // namespace

int main(int argc, char** argv) {
  ui::Program program(argc, argv, "Estivo", "Qorvane房地产估价系统");
  return program.Run(Main);
}
