#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImage>
#include <QToolBar>
#include <QToolButton>

#include "platform/ui/message_box.h"
#include "platform/ui/screenshot.h"
#include "platform/ui/text_fit.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/program_files.h"
#include "workbench/shell/shell_test_support.h"

namespace shell_testing {
namespace {

using automation::Object;
using workbench::ProgramFilePath;

constexpr const char* kMarkerMessage = "当前表不是标准的Qorvane房地产估价项目表。不能使用本功能！";

using Toolbar = ShellTest;

TEST_F(Toolbar, MenuColumnWidthChecksOnlyWhileAButtonLeftTheReferenceSet) {
  const Object xl = RunningExcel();
  ProjectWorkbookIn(xl).obj("Worksheets", "参数").obj("Range", "A1").put("Value", "Qorvane房地产 ");  // not the marker
  form().调整列宽.ScriptChoose(1);
  EXPECT_TRUE(Boxes().empty()) << "no button clicked yet: the item ends silently";

  Press("帮助");
  EXPECT_EQ(Desktop().opened, std::vector<std::string>{ProgramFilePath("help.chm")});
  EXPECT_EQ(form().xlApp, xl);
  form().调整列宽.ScriptChoose(1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, kMarkerMessage);
  EXPECT_EQ(Boxes()[0].title, "提示");
  EXPECT_EQ(Boxes()[0].icon, "information");

  Press("增加计算表");  // the add command refuses with its own message, then the reference goes
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, "当前表格不是标准的Qorvane房地产项目表！请打开或激活标准项目表在执行本功能。");
  EXPECT_TRUE(form().xlApp.isNothing());
  form().调整列宽.ScriptChoose(1);
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(Toolbar, WithoutExcelAButtonCreatesAnInvisibleOneWhoseCheckShowsTheMessage) {
  Press("jishibangzhu");
  ASSERT_TRUE(Running("Excel.Application"));
  EXPECT_FALSE(form().xlApp.get("Visible").toBool());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, kMarkerMessage);
  form().即时帮助.ScriptChoose(1);  // the menu's instant help makes no check: no sheet, no help
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, "该表格与系统无任何关联！无帮助信息。其他更多的帮助信息请单击Ctrl+B");
  Press("删除计算表");  // nor can the delete command read a workbook: its own message
  ASSERT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Boxes()[2].text, "当前表不是标准的Qorvane房地产估价项目表。无法继续！");
}

TEST_F(Toolbar, CaseQueryNeedsTheMarketSheetAndClearsTheReferenceOnlyWhenItOpens) {
  const Object xl = RunningExcel();
  const Object book = ProjectWorkbookIn(xl);
  book.obj("Worksheets", "收益法计算表1").call("Select");
  Press("市场法交易案例查询");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "当前表无法执行本功能。仅在市场法计算表中才能使用本功能！");
  EXPECT_EQ(form().xlApp, xl);

  book.obj("Worksheets", "市场法计算表").call("Select");
  Press("市场法交易案例查询");
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(form().xlApp.isNothing());

  Press("调整列宽");  // a project workbook passes the check
  Press("jishibangzhu");
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(Toolbar, AnalysisItemsDoNothingWhileWordIsNotRunning) {
  const Object xl = office::CreateObject("Excel.Application");
  form().计算分析.ScriptChoose(3);
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_FALSE(xl.get("Visible").toBool());

  const Object word = RunningWord();
  form().计算分析.ScriptChoose(3);
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 1);
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText().rfind("市场法比较计算表", 0), 0u);
  EXPECT_TRUE(xl.get("Visible").toBool());
  EXPECT_EQ(form().xlApp, xl) << "the reference stays set";
  EXPECT_EQ(form().wdApp, word);
  EXPECT_EQ(word.obj("Documents").get("Count").toInt32(), 0) << "Word is not otherwise used";

  form().计算分析.ScriptChoose(16);  // its template is missing
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 1);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Toolbar, WorkPlanAndContractNeedARunningExcel) {
  form().建立估价合同.ScriptChoose(2);
  form().建立估价合同.ScriptChoose(1);
  EXPECT_FALSE(Running("Excel.Application"));
  EXPECT_TRUE(Boxes().empty()) << "no Excel: not even the contract's Word message";

  const Object xl = RunningExcel();
  form().建立估价合同.ScriptChoose(2);
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 1);
  EXPECT_TRUE(form().xlApp.isNothing());

  form().建立估价合同.ScriptChoose(1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Word没有启动，请先启动WORD才能建立估价合同！");
  EXPECT_EQ(Boxes()[0].title, "Qorvane房地产估价系统");
  EXPECT_EQ(form().xlApp, xl);
  const Object word = RunningWord();
  form().建立估价合同.ScriptChoose(1);
  EXPECT_EQ(word.obj("Documents").get("Count").toInt32(), 1);
}

TEST_F(Toolbar, ProtectionItemsRunTheirWizards) {
  const Object xl = RunningExcel();
  const Object book = ProjectWorkbookIn(xl);
  ui::QueueBoxAnswer(ui::kOk);
  form().当前工作表.ScriptChoose(1);
  EXPECT_TRUE(xl.obj("ActiveSheet").get("ProtectContents").toBool());
  ui::QueueBoxAnswer(ui::kCancel);
  form().当前工作簿.ScriptChoose(2);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].title, "工作表保护向导");
  EXPECT_EQ(Boxes()[1].title, "工作薄保护向导");
}

TEST_F(Toolbar, ProgramItemsStartTheirProgramsFromTheProgramFolder) {
  form().房屋交易案例查询服务.ScriptChoose(1);
  form().宗地交易案例查询服务.ScriptChoose(1);
  form().刷新市场法与收益法报告.ScriptChoose(1);
  form().刷新成本法报告.ScriptChoose(1);
  form().刷新土地报告.ScriptChoose(1);
  form().fangdichan4.ScriptChoose(1);
  std::vector<std::string> expected;
  for (const char* program : {"Hausdex", "Plotdex", "Refrella", "Refrella2", "Refrella1"})
    expected.push_back(ProgramFilePath(workbench::ProgramFileName(program)));
  EXPECT_EQ(Desktop().started, expected);
  EXPECT_EQ(Desktop().opened, std::vector<std::string>{ProgramFilePath("help.chm")});
  EXPECT_FALSE(Running("Excel.Application")) << "menu items do not attach";
}

TEST_F(Toolbar, NewDocumentMenuHasSevenEntriesThatMatchTheProjectSubmenu) {
  std::vector<std::pair<int, std::string>> entries;
  for (int i = 0; i <= 12; ++i)
    if (form().新建.has(i)) entries.emplace_back(i, form().新建(i).Caption);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "新建市场法与收益法项目表"},     {4, "新建成本法项目表"},
      {6, "新建基准地价与成本逼近项目表"}, {8, "-"},
      {9, "新建房产报告[市场法与收益法]"}, {10, "新建房产报告[成本法]"},
      {11, "新建土地报告[基准地价与成本逼近]"}};
  EXPECT_EQ(entries, expected);
  form().新建.ScriptChoose(0);
  form().xj1.ScriptChoose(1);
  EXPECT_EQ(office::GetRunningObject("Excel.Application").obj("Workbooks").get("Count").toInt32(), 2);
}

TEST_F(Toolbar, NewAndMainMenuButtonsOpenTheirPopups) {
  Press("新建");
  Press("ZHUYAO");
  std::vector<std::string> menus;
  for (const auto& e : log_.entries())
    if (e["event"] == "popup") menus.push_back(e["menu"]);
  EXPECT_EQ(menus, (std::vector<std::string>{"FDD", "FDC"}));
}

TEST_F(Toolbar, QuitAnsweredNoKeepsTheWindowWithTheRunningExcelInItsReference) {
  const Object xl = RunningExcel();
  ui::QueueBoxAnswer(ui::kNo);
  form().退出.ScriptChoose(1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "是否退出Qorvane房地产估价系统？");
  EXPECT_EQ(Boxes()[0].title, "退出");
  EXPECT_EQ(Boxes()[0].buttons, "Yes/No");
  EXPECT_EQ(Boxes()[0].icon, "question");
  EXPECT_TRUE(form().loaded());
  EXPECT_EQ(form().xlApp, xl);
}

// The toolbar as the user sees it: the picture behind the buttons, thin separators, every icon.
TEST_F(Toolbar, ThePictureShowsAroundTheIconsAndTheSeparatorsAreThinLines) {
  auto* bar = qobject_cast<QToolBar*>(form().Toolbar1.widget());
  ASSERT_NE(bar, nullptr);
  const QImage shot = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage picture = form().Image1.Picture().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(picture.isNull());
  const auto differs = [&](int x, int y) { return shot.pixel(x, y) != picture.pixel(x % picture.width(), y % picture.height()); };

  std::vector<QRect> icons, separators;
  for (QAction* action : bar->actions()) {
    QWidget* w = bar->widgetForAction(action);
    ASSERT_NE(w, nullptr);
    if (action->isSeparator()) {
      separators.push_back(w->geometry());
      continue;
    }
    const QRect icon(QPoint(0, 0), bar->iconSize());
    icons.push_back(icon.translated(w->geometry().center() - icon.center()).adjusted(-1, -1, 1, 1));
  }
  ASSERT_EQ(icons.size(), 9u);
  ASSERT_EQ(separators.size(), 3u);
  for (const QRect& icon : icons) {
    int drawn = 0;
    for (int y = icon.top(); y <= icon.bottom(); ++y)
      for (int x = icon.left(); x <= icon.right(); ++x) drawn += differs(x, y) ? 1 : 0;
    EXPECT_GT(drawn, 20) << "an icon at " << icon.x();
  }
  for (const QRect& separator : separators) {
    int columns = 0;
    for (int x = separator.left(); x <= separator.right(); ++x) {
      bool line = false;
      for (int y = separator.top(); y <= separator.bottom(); ++y) line = line || differs(x, y);
      columns += line ? 1 : 0;
    }
    EXPECT_LE(columns, 2) << "the separator at " << separator.x();
  }
  int elsewhere = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QPoint at(x, y);
      const auto inside = [&](const QRect& r) { return r.contains(at); };
      if (std::none_of(icons.begin(), icons.end(), inside) && std::none_of(separators.begin(), separators.end(), inside))
        elsewhere += differs(x, y) ? 1 : 0;
    }
  EXPECT_EQ(elsewhere, 0);

  QDir().mkpath(SCREENSHOT_DIR);
  EXPECT_TRUE(ui::SaveScreenshot(form(), std::string(SCREENSHOT_DIR) + "/gongjulan.png"));
  EXPECT_EQ(ui::CutTexts(form()), std::vector<std::string>());
  EXPECT_FALSE(form().window().windowIcon().isNull());
}

}  // namespace
}  // namespace shell_testing
