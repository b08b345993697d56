// The market and income report refresh: Word and Excel, the checks, the wait window, the fill.

#include "platform/automation/error_modes.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/common/value_refreshes.h"
#include "refreshers/refrella/refrella_forms.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/project_workbook.h"

namespace refrella {
namespace {

// Module1's references: set by the driver and released by it.
automation::Object g_excel, g_word;

void CloseWaitWindow() {
  if (ui::Form* wait = ui::FindLoadedForm(typeid(Form3))) ui::Unload(*wait);
}

}  // namespace

void RunMarketIncomeRefresh() {
  using namespace refreshers;
  automation::ResumeNext step;
  step([] { g_word = workbench::AttachWord(); });
  if (step.number() != 0) {
    step.clear();
    ShowInformation(kWordNotRunning, nullptr);
    return;
  }
  step([] { g_excel = workbench::AttachExcel(); });
  // This program has no message of its own for a workbook of another method group.
  if (step.test([] { return !workbench::IsProjectWorkbook(g_excel); }) ||
      step.test([] { return g_excel.obj("Worksheets", "参数").obj("Range", "B1").get("Value").toText() != "市场法"; })) {
    ShowInformation(kNotAProjectWorkbook, "提示");
    return;
  }
  step([] { ui::Default<Form3>().Show(); });
  RunEnd end = RunEnd::Stopped;
  step([&] {
    end = RefreshMarketApproach(AttachRunningOffice, [] {
      CloseWaitWindow();
      ShowRefreshCompleted();
    });
  });
  if (end != RunEnd::Completed) CloseWaitWindow();
  if (end == RunEnd::ConnectionLost) ShowInformation(kConnectionLost, nullptr);
  g_excel = automation::Object();
  g_word = automation::Object();
}

}  // namespace refrella
