// The toolbar window: its frame, controls and menus, its load handler with the event loop, the
// main menu on its surface and the quit sequence.

#include "workbench/shell/gongjulan.h"

#include <QPixmap>
#include <QLayout>
#include <QToolBar>

#include "platform/automation/error_modes.h"
#include "platform/ui/desktop.h"
#include "platform/ui/hot_keys.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/program.h"
#include "platform/ui/services.h"
#include "platform/ui/window_styles.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/program_files.h"
#include "workbench/shell/menu_tables.h"

namespace {

using automation::ResumeNext;

constexpr int kHotKeyId = 49146;

// Pictures embedded with the program; a picture that is not there is an empty one.
QPixmap Picture(const char* name) { return QPixmap(QString(":/icons/") + name + ".svg"); }

}  // namespace

gongjulan::gongjulan() : Form("gongjulan") {
  setCaption("Qorvane房地产估价 V 3.1");
  setIcon(QIcon(Picture("program_gongjulan")));
  setBorderStyle(ui::BorderStyle::FixedToolWindow);
  Move(6585, 1920, 3480, 360);
  Image1.setPicture(Picture("toolbar_background"));
  Image1.setVisible(false);
  BuildToolbar();
  BuildMenus();
  ConnectHandlers();
}

void gongjulan::BuildToolbar() {
  for (const ToolbarEntry& entry : kToolbarEntries) {
    if (entry.key == nullptr) continue;
    imlToolbarIcons.Add(entry.icon, Picture(entry.icon));
  }
  Toolbar1.setImageList(imlToolbarIcons);
  Toolbar1.Move(0, 0, 3480, 360);
  // Qt's buttons frame their pictures more widely than the design's: 15-pixel pictures on buttons
  // edge to edge keep all nine buttons and three separators within the 232-pixel window.
  if (auto* bar = qobject_cast<QToolBar*>(Toolbar1.widget())) {
    bar->setIconSize(QSize(15, 15));
    bar->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setContentsMargins(0, 0, 0, 0);
    bar->layout()->setSpacing(0);
  }
  for (const ToolbarEntry& entry : kToolbarEntries) {
    if (entry.key == nullptr) Toolbar1.AddSeparator();
    else Toolbar1.AddButton({entry.key, "", entry.toolTip, entry.icon});
  }
}

void gongjulan::BuildMenus() {
  ui::MenuLevel& project = FDC.AddSubmenu(fangdichan, 0, "项目       ");
  for (const DocumentItem& item : kDocumentItems) {
    if (item.xj1 == 5) project.Add(xj1, 4, "-");
    project.Add(xj1, item.xj1, item.caption);
  }
  FDC.Add(fangdichan, 1, "-");
  FDC.AddSubmenu(编辑, 2, "编辑")
      .Add(即时帮助, 1, "即时帮助")
      .Add(调整列宽, 1, "调整列宽")
      .Add(实用工具, 1, "实用工具")
      .Add(房屋交易案例查询服务, 1, "维护房屋交易案例数据库")
      .Add(宗地交易案例查询服务, 1, "维护宗地交易案例数据库");
  FDC.Add(fangdichan1, 1, "-");
  ui::MenuLevel& analysis = FDC.AddSubmenu(fangdichan1, 2, "分析");
  analysis.Add(建立估价合同, 1, "建立估价合同").Add(建立估价合同, 2, "估价作业方案").Add(估价1, 2, "-");
  for (std::size_t i = 0; i < kSurveyTemplates.size(); ++i)
    analysis.Add(计算分析, static_cast<int>(i) + 1, kSurveyTemplates[i].caption);
  FDC.Add(fangdichan1, 3, "-");
  FDC.AddSubmenu(保护, 4, "保护").Add(当前工作表, 1, "当前工作表").Add(当前工作簿, 2, "当前工作簿");
  FDC.Add(fangdichan2, 1, "-");
  FDC.AddSubmenu(撰写报告, 8, "撰写报告")
      .Add(刷新市场法与收益法报告, 1, "刷新市场法与收益法报告")
      .Add(刷新成本法报告, 1, "刷新成本法报告")
      .Add(刷新土地报告, 1, "刷新土地报告")
      .Add(qw, 1, "-")
      .Add(自定义报告模版, 1, "自定义报告模版");
  FDC.Add(fangdichan3, 1, "-");
  FDC.Add(fangdichan4, 1, "帮助", "Ctrl+B");
  FDC.Add(fangdichan5, 1, "-");
  FDC.Add(fangdichan6, 1, "关于......");
  FDC.Add(fangdichan7, 1, "-");
  FDC.Add(退出, 1, "退出");

  // The menu's items in index order; the separator stands between the workbooks and the reports.
  for (const DocumentItem& item : kDocumentItems) {
    if (item.新建 == 9) FDD.Add(新建, 8, "-");
    FDD.Add(新建, item.新建, item.caption);
  }
}

void gongjulan::ConnectHandlers() {
  Toolbar1.ButtonClick = [this](const ui::ToolbarButton& button) { Toolbar1_ButtonClick(button); };
  xj1.Click = [this](std::int16_t i) { xj1_Click(i); };
  新建.Click = [this](std::int16_t i) { 新建_Click(i); };
  即时帮助.Click = [this](std::int16_t i) { 即时帮助_Click(i); };
  调整列宽.Click = [this](std::int16_t i) { 调整列宽_Click(i); };
  实用工具.Click = [this](std::int16_t i) { 实用工具_Click(i); };
  建立估价合同.Click = [this](std::int16_t i) { 建立估价合同_Click(i); };
  计算分析.Click = [this](std::int16_t i) { 计算分析_Click(i); };
  当前工作表.Click = [this](std::int16_t i) { 当前工作表_Click(i); };
  当前工作簿.Click = [this](std::int16_t i) { 当前工作簿_Click(i); };
  自定义报告模版.Click = [this](std::int16_t i) { 自定义报告模版_Click(i); };
  fangdichan4.Click = [this](std::int16_t i) { fangdichan4_Click(i); };
  fangdichan6.Click = [this](std::int16_t i) { fangdichan6_Click(i); };
  退出.Click = [this](std::int16_t i) { 退出_Click(i); };
  for (const ProgramItem& item : kProgramItems)
    (this->*item.menu).Click = [program = item.program](std::int16_t i) { ProgramItem_Click(program, i); };
}

// Errors ignored throughout: a missing picture, a held hot key or a refused style changes nothing
// else. The loop serves every window of the program until the quit sequence ends the process.
void gongjulan::Form_Load() {
  ResumeNext step;
  step([this] { Toolbar1.setBackgroundPicture(Image1.Picture()); });
  step([this] { ui::Use<ui::WindowStyles>().SetTopmost(*this); });
  for (const int key : {'B', 'H', 'I'})
    step([this, key] { ui::Use<ui::HotKeys>().Register(*this, kHotKeyId, ui::kModControl, key); });
  step([this] { Show(); });
  stop_ = false;
  ui::RunHotKeyLoop(*this, stop_, [](const ui::HotKeyMessage& message) {
    if (message.key == 'B') OpenHelpFile();
  });
}

void gongjulan::Form_MouseUp(int, int, float, float) { FDC.Popup(); }

void gongjulan::Form_QueryUnload(int& cancel, ui::UnloadMode) {
  ResumeNext step;
  step([this] { xlApp = workbench::AttachExcel(); });
  if (ui::MsgBox("是否退出Qorvane房地产估价系统？", ui::kYesNo | ui::kQuestion, "退出") != ui::kYes) {
    cancel = 1;
    return;
  }
  // Excel and Word stay as the user left them: nothing is closed or saved.
  ui::UnloadAll();
  ui::EndProcess();
}

void OpenHelpFile() { ui::Use<ui::Desktop>().Open(workbench::ProgramFilePath("help.chm")); }
