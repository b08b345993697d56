// The toolbar's button dispatch and the handlers of the menu items. Buttons run with errors
// ignored; menu items stop silently at their first error.

#include <string>

#include "platform/automation/error_modes.h"
#include "platform/ui/desktop.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"
#include "platform/ui/services.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/casequery/case_query_window.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/program_files.h"
#include "workbench/common/project_workbook.h"
#include "workbench/common/workbook_layout.h"
#include "workbench/shell/about_box.h"
#include "workbench/shell/column_width_dialog.h"
#include "workbench/shell/gongjulan.h"
#include "workbench/shell/instant_help_window.h"
#include "workbench/shell/menu_tables.h"
#include "workbench/shell/shell_module.h"
#include "workbench/shell/utilities_window.h"
#include "workbench/templatedef/define_template_window.h"

namespace {

using automation::Object;
using automation::ResumeNext;
using automation::StopAtFirstError;
using namespace workbench;

void ShowMarkerMessage() {
  ui::MsgBox("当前表不是标准的Qorvane房地产估价项目表。不能使用本功能！", ui::kOkOnly | ui::kInformation, "提示");
}

void OpenTemplateIn(const Object& excel, const char* file) {
  excel.obj("Workbooks").call("Open", ProgramFilePath(file));
}

}  // namespace

void gongjulan::Toolbar1_ButtonClick(const ui::ToolbarButton& Button) {
  ResumeNext step;
  step([this] { xlApp = AttachOrCreateExcel(); });
  const std::string& key = Button.Key;
  // The marker check of the buttons that need a project workbook: unreadable counts as failed.
  const auto notProjectWorkbook = [&] {
    if (!step.test([this] { return !IsProjectWorkbook(xlApp); })) return false;
    ShowMarkerMessage();
    return true;
  };
  if (key == "新建") {
    step([this] { FDD.Popup(); });
  } else if (key == "打开") {
    step(主类::OpenWorkbookDialog);
  } else if (key == "增加计算表") {
    step(增加计算表::AddCalculationTable);
    xlApp = Object();
  } else if (key == "删除计算表") {
    step(增加计算表::DeleteLastCalculationTable);
  } else if (key == "市场法交易案例查询") {
    if (notProjectWorkbook()) return;
    if (step.test([this] { return xlApp.obj("ActiveSheet").get("Name").toText() != k市场法计算表; })) {
      ui::MsgBox("当前表无法执行本功能。仅在市场法计算表中才能使用本功能！", ui::kOkOnly | ui::kInformation, "提示");
      return;
    }
    step(Show案例查询);
    xlApp = Object();
  } else if (key == "jishibangzhu") {
    if (notProjectWorkbook()) return;
    step(ShowInstantHelp);
  } else if (key == "调整列宽") {
    if (notProjectWorkbook()) return;
    step(ShowColumnWidthDialog);
  } else if (key == "ZHUYAO") {
    step([this] { FDC.Popup(); });
  } else if (key == "帮助") {
    step(OpenHelpFile);
  }
}

void gongjulan::xj1_Click(std::int16_t Index) {
  for (const DocumentItem& item : kDocumentItems)
    if (item.xj1 == Index) StopAtFirstError(item.command);
}

void gongjulan::新建_Click(std::int16_t Index) {
  for (const DocumentItem& item : kDocumentItems)
    if (item.新建 == Index) StopAtFirstError(item.command);
}

void gongjulan::即时帮助_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError(ShowInstantHelp);
}

// Works on the toolbar Excel reference as the last command left it: before any button click, or
// after a command that cleared it, the check cannot be read and the item ends silently.
void gongjulan::调整列宽_Click(std::int16_t Index) {
  if (Index != 1) return;
  StopAtFirstError([this] {
    if (!IsProjectWorkbook(xlApp)) {
      ShowMarkerMessage();
      return;
    }
    ShowColumnWidthDialog();
  });
}

void gongjulan::实用工具_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError(ShowUtilitiesWindow);
}

void gongjulan::ProgramItem_Click(const char* program, std::int16_t Index) {
  if (Index != 1) return;
  StopAtFirstError([program] { ui::Use<ui::Desktop>().Start(ProgramFilePath(ProgramFileName(program))); });
}

void gongjulan::建立估价合同_Click(std::int16_t Index) {
  if (Index != 1 && Index != 2) return;
  StopAtFirstError([this, Index] {
    xlApp = AttachExcel();
    if (Index == 1) {
      主类::NewAppraisalContract();
    } else {
      OpenTemplateIn(xlApp, "房地产估价作业方案.xlt");
      xlApp = Object();
    }
  });
}

void gongjulan::计算分析_Click(std::int16_t Index) {
  if (Index < 1 || Index > static_cast<int>(kSurveyTemplates.size())) return;
  StopAtFirstError([this, Index] {
    xlApp = AttachExcel();
    wdApp = AttachWord();
    OpenTemplateIn(xlApp, kSurveyTemplates[static_cast<std::size_t>(Index - 1)].file);
    xlApp.put("Visible", true);
  });
}

void gongjulan::当前工作表_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError(主类::ToggleWorksheetProtection);
}

void gongjulan::当前工作簿_Click(std::int16_t Index) {
  if (Index == 2) StopAtFirstError(主类::ToggleWorkbookProtection);
}

void gongjulan::自定义报告模版_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError(Show定义模板);
}

void gongjulan::fangdichan4_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError(OpenHelpFile);
}

void gongjulan::fangdichan6_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError(ShowAboutBox);
}

// Closing the window runs the quit sequence of its query-unload.
void gongjulan::退出_Click(std::int16_t Index) {
  if (Index == 1) StopAtFirstError([this] { ui::Unload(*this); });
}
