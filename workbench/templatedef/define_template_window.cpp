#include "workbench/templatedef/define_template_window.h"

#include <array>
#include <optional>
#include <string>

#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/program_files.h"
#include "workbench/common/project_workbook.h"
#include "workbench/common/workbook_layout.h"
#include "workbench/templatedef/value_lists.h"

namespace {

using automation::Named;
using automation::Object;
using automation::ResumeNext;
using workbench::templatedef::IncomeTables;
using workbench::templatedef::Methods;
using workbench::templatedef::ValueList;

constexpr const char* kChooseTemplate = "单击下拉框选择一个模板";
constexpr const char* kNoChoice = "无";
constexpr const char* kWordNotRunning = "Word没有启动，请先启动WORD才能打开估价报告模板！";

// The report templates of the program folder, by the list position of Combo1.
struct ReportTemplate {
  const char* item;
  const char* file;
};
constexpr std::array<ReportTemplate, 3> kReportTemplates = {{
    {"房产估价报告(市场法和收益法)", "房产估价报告(市场法和收益法).dot"},
    {"房产估价报告( 成本法)", "房产估价报告( 成本法).dot"},
    {"土地估价报告(基准地价和成本逼近)", "土地估价报告(基准地价和成本逼近).dot"},
}};

void Inform(const char* text, const std::optional<std::string>& title = std::nullopt) {
  ui::MsgBox(text, ui::kOkOnly | ui::kInformation, title);
}

}  // namespace

定义模板::定义模板() : Form("定义模板") {
  setCaption("定义模板");
  setBorderStyle(ui::BorderStyle::FixedSingle);
  Move(3600, 2400, 8700, 3180);

  Frame1.setCaption("选择");
  Frame1.Move(120, 60, 8460, 3000);
  Label2.setCaption("选择模板：");
  Label2.Move(300, 450, 1140, 300);
  Combo1.Move(1440, 390, 5040, 360);
  Combo1.setText(kChooseTemplate);
  for (const ReportTemplate& report : kReportTemplates) Combo1.AddItem(report.item);
  Command1.setCaption("打开模板");
  Command1.Move(6720, 375, 1620, 390);

  Label3.setCaption("选择方法：");
  Label3.Move(300, 990, 1140, 300);
  Combo2.Move(1440, 930, 1800, 360);
  Combo2.setToolTipText("在下拉框内选择一个方法");
  for (const auto& method : Methods()) Combo2.AddItem(method.item);
  Combo3.Move(3360, 930, 3120, 360);
  Combo3.setToolTipText("选择一个案例表格");
  for (const auto& table : IncomeTables()) Combo3.AddItem(table.item);
  Combo3.setEnabled(false);
  Command2.setCaption("插入(&Y)");
  Command2.Move(6720, 915, 1620, 390);

  Label4.setCaption("选择方法：");
  Label4.Move(300, 1530, 1140, 300);
  Combo4.Move(1440, 1470, 5040, 360);
  Combo4.setToolTipText("选择一个案例表格");
  Command3.setCaption("关闭(&N)");
  Command3.Move(6720, 1455, 1620, 390);

  Label5.setCaption(
      "注：在报告模板（word）打开并激活的状态下，光标定位插入点，单击\"选择公式\"下拉箭头并选中一个公式，单击\"插入\"按钮，"
      "该公式将被插入报告模版中光标点。");
  Label5.Move(300, 2040, 8100, 840);

  Combo2.Click = [this] { Combo2_Click(); };
  Combo3.Click = [this] { Combo3_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
  Command3.Click = [this] { Command3_Click(); };
}

// Without a running Excel the window has nothing to list from; the Excel that the attach created
// is released with the window, so that it ends.
void 定义模板::Form_Load() {
  ResumeNext step;
  bool excelRunning = true;
  step([&] { excelRunning = workbench::ExcelMainWindowExists(); });
  step([&] { xlApp = workbench::AttachOrCreateExcel(); });
  if (!excelRunning) {
    ui::Unload(*this);
    Inform("Excel没有启动，请启动Excel并打开项目表之后在使用本功能。", "提示");
    return;
  }
  if (step.test([&] { return !workbench::IsProjectWorkbook(xlApp); })) {
    ui::Unload(*this);
    Inform("当前表不是标准的Qorvane房地产估价表格，请打开标准的Qorvane房地产估价表格之后才能使用本功能。", "提示");
    return;
  }
  Combo3.setEnabled(false);
}

// However the window goes, it lets go of the applications at once: an Excel that only it holds
// must not stay behind while the instance waits to be deleted.
void 定义模板::Form_Unload(int&) {
  xlApp = Object();
  wdApp = Object();
}

void 定义模板::Combo2_Click() {
  ResumeNext step;
  step([&] { xlApp = workbench::AttachOrCreateExcel(); });
  Combo4.Clear();
  const int position = Combo2.ListIndex();
  if (position < 0 || position >= static_cast<int>(Methods().size())) return;
  const auto& method = Methods()[static_cast<std::size_t>(position)];
  if (method.list != nullptr) {
    Combo3.setText(kNoChoice);
    Combo3.setEnabled(false);
  }
  if (step.test([&] {
        return xlApp.obj("Worksheets", workbench::k参数).obj("Range", "B1").get("Value").toText() != method.group;
      })) {
    ui::MsgBox(method.wrongGroup, ui::kOkOnly | ui::kExclamation, "提示");
    return;
  }
  if (method.list != nullptr) {
    workbench::templatedef::AddNames(xlApp, *method.list, Combo4);
  } else {
    Combo3.setEnabled(true);
    Combo3.setText(IncomeTables()[0].item);
  }
}

void 定义模板::Combo3_Click() {
  ResumeNext step;
  step([&] { xlApp = workbench::AttachOrCreateExcel(); });
  Combo4.Clear();
  const int position = Combo3.ListIndex();
  if (position < 0 || position >= static_cast<int>(IncomeTables().size())) return;
  const auto& table = IncomeTables()[static_cast<std::size_t>(position)];
  Combo3.setText(table.item);
  workbench::templatedef::AddNames(xlApp, *table.list, Combo4);
}

// The template file itself is opened, not a document made from it: the user edits the template.
void 定义模板::Command1_Click() {
  if (Combo1.Text() == kChooseTemplate) {
    Inform("没有选择报告模板，请先在下拉框内选择一个报告模板后才能打开估价报告模板！");
    return;
  }
  ResumeNext step;
  step([&] { wdApp = workbench::AttachWord(); });
  if (step.number() != 0) {
    step.clear();
    ui::Unload(*this);
    Inform(kWordNotRunning);
    return;
  }
  const int position = Combo1.ListIndex();
  if (position < 0 || position >= static_cast<int>(kReportTemplates.size())) return;
  const std::string path = workbench::ProgramFilePath(kReportTemplates[static_cast<std::size_t>(position)].file);
  step([&] { wdApp.obj("Documents").call("Open", path); });
}

// The key is read from the workbook when the field is inserted, not taken from the list: the
// user may have changed the sheet since the list was filled.
void 定义模板::Command2_Click() {
  ResumeNext step;
  step([&] { xlApp = workbench::AttachOrCreateExcel(); });
  step([&] { wdApp = workbench::AttachWord(); });
  if (step.test([&] { return !workbench::IsProjectWorkbook(xlApp); })) {
    Inform("当前表格不是标准的Qorvane房地产项目表！请打开或激活标准项目表在执行本功能。");
    return;
  }
  if (step.number() != 0) {
    step.clear();
    Inform(kWordNotRunning);
    return;
  }
  std::string workbook, document;
  step([&] { workbook = xlApp.obj("ActiveWorkbook").get("Name").toText(); });
  step([&] { document = wdApp.obj("ActiveDocument").get("Name").toText(); });
  const ValueList* list = workbench::templatedef::KeyList(Combo2.ListIndex(), Combo3.Text());
  if (list == nullptr) return;
  const int chosen = Combo4.ListIndex();
  if (chosen < 0 || chosen >= Combo4.ListCount()) return;
  step([&] {
    const std::string key = workbench::templatedef::KeyAt(xlApp, workbook, *list, chosen);
    wdApp.obj("Documents", document)
        .obj("ActiveWindow")
        .obj("Selection")
        .obj("Fields")
        .call("Add", Named("Range", wdApp.obj("Selection").obj("Range")), Named("Text", "TITLE " + key));
  });
}

void 定义模板::Command3_Click() { ui::Unload(*this); }

namespace workbench {

void Show定义模板() { ui::Default<定义模板>().Show(); }

}  // namespace workbench
