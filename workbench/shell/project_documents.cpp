// New project workbooks, reports and the contract, each from its template in the program folder.

#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/program_files.h"
#include "workbench/shell/shell_module.h"

namespace 主类 {
namespace {

using automation::Object;
using automation::ResumeNext;
using namespace workbench;

constexpr const char* kProgramTitle = "Qorvane房地产估价系统";

void NewWorkbookFromTemplate(const char* templateFile) {
  ResumeNext step;
  step([] { excel = AttachOrCreateExcel(); });
  step([&] { excel.obj("Workbooks").call("Open", ProgramFilePath(templateFile)); });
  step([] { excel.put("Visible", true); });
  excel = Object();
}

struct DocumentCommand {
  const char* templateFile;
  const char* wordNotRunning;
};

const DocumentCommand kMarketIncomeReport{"房产估价报告(市场法和收益法).dot", "Word没有启动，请先启动WORD才能建立房产评估报告！"};
const DocumentCommand kCostReport{"房产估价报告( 成本法).dot", "Word没有启动，请先启动WORD才能建立房产评估报告！"};
const DocumentCommand kLandReport{"土地估价报告(基准地价和成本逼近).dot", "Word没有启动，请先启动WORD才能建立土地评估报告！"};
const DocumentCommand kContract{"房地产估价合同.dot", "Word没有启动，请先启动WORD才能建立估价合同！"};

void NewDocumentFromTemplate(const DocumentCommand& c) {
  ResumeNext step;
  Object word;
  step([&] { word = AttachWord(); });
  if (step.number() != 0) {
    step.clear();
    ui::MsgBox(c.wordNotRunning, ui::kOkOnly | ui::kInformation, kProgramTitle);
    return;
  }
  step([&] { word.obj("Documents").call("Add", ProgramFilePath(c.templateFile)); });
  step([&] { word.put("Visible", true); });
}

}  // namespace

void NewMarketWorkbook() { NewWorkbookFromTemplate("市场法.xlt"); }
void NewCostWorkbook() { NewWorkbookFromTemplate("成本法.xlt"); }
void NewLandWorkbook() { NewWorkbookFromTemplate("基准地价与成本逼近.xlt"); }

void NewMarketIncomeReport() { NewDocumentFromTemplate(kMarketIncomeReport); }
void NewCostReport() { NewDocumentFromTemplate(kCostReport); }
void NewLandReport() { NewDocumentFromTemplate(kLandReport); }
void NewAppraisalContract() { NewDocumentFromTemplate(kContract); }

}  // namespace 主类
