#include "refreshers/common/report_driver.h"

#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "refreshers/common/refresher_frame.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/project_workbook.h"

namespace refreshers {
namespace {

// Module1's references: set by the driver and released by it.
automation::Object g_excel, g_word;

}  // namespace

Form1::Form1() : Form("Form1") {
  Label1.setCaption("估价报告正在刷新中 请等待......");
  Label1.setFont("新宋体", ThisReportProgram().waitTextPoints, true);
  Label1.setBackStyle(ui::BackStyle::Transparent);
  LayOutWaitWindow(*this, Label1);
}

void Form1::Form_Load() {
  MakeTopmost(*this);
  DoTheStuff(*this);
  setVisible(false);
  RefreshReportDriver();
}

void RefreshReportDriver() {
  const ReportProgram& program = ThisReportProgram();
  automation::ResumeNext step;
  const auto finish = [] {
    g_word = automation::Object();
    g_excel = automation::Object();
    ui::Unload(ui::Default<Form1>());
  };
  step([] { g_excel = workbench::AttachExcel(); });
  step([] { g_word = workbench::AttachWord(); });
  if (step.number() != 0) {
    step.clear();
    ShowInformation(kWordNotRunning, nullptr);
    return finish();
  }
  if (step.test([] { return !workbench::IsProjectWorkbook(g_excel); })) {
    ShowInformation(kNotAProjectWorkbook, "提示");
    return finish();
  }
  if (step.test([&] {
        return g_excel.obj("Worksheets", "参数").obj("Range", "B1").get("Value").toText() != program.methodGroup;
      })) {
    ShowInformation(program.wrongGroup, "提示");
    return finish();
  }
  if (ui::MsgBox(program.question, ui::kYesNo | ui::kQuestion, std::string("刷新报告")) == ui::kYes) {
    step([] { ui::Default<Form1>().setVisible(true); });
    RunEnd end = RunEnd::Stopped;
    step([&] { end = program.firstFill(AttachRunningOffice, ShowRefreshCompleted); });
    if (end == RunEnd::ConnectionLost) ShowInformation(kConnectionLost, nullptr);
  }
  finish();
}

}  // namespace refreshers
