#include "casedb/form1.h"

#include <gtest/gtest.h>

#include <QDir>

#include "casedb/casedb_test_support.h"
#include "platform/ui/screenshot.h"
#include "platform/ui/text_fit.h"
#include "workbench/casequery/house_case_fixture.h"

namespace {

using casedb_testing::CaseDatabaseTest;
namespace fs = std::filesystem;

TEST_F(CaseDatabaseTest, HausdexShowsTheHouseCasesAndTheirCount) {
  Form1& w = Load("Hausdex");
  EXPECT_EQ(w.Caption(), "维护数据库");
  EXPECT_EQ(w.DataGrid1.ColumnCount(), 29);
  EXPECT_EQ(w.DataGrid1.ColumnCaption(0), "  序号");
  EXPECT_EQ(w.DataGrid1.ColumnCaption(28), "  朝向");
  EXPECT_EQ(w.DataGrid1.ApproxCount(), 80);
  EXPECT_EQ(w.DataGrid1.Text(2, 1), "和园11栋");
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：80 条");
  // The whole screen wide, 0.855 of its height high.
  EXPECT_EQ(w.DataGrid1.hWnd().width(), 1920);
  EXPECT_EQ(w.DataGrid1.hWnd().height(), 923);
  std::vector<std::string> keys, tips;
  for (const ui::ToolbarButton* button : w.Toolbar1.Buttons()) {
    keys.push_back(button->Key + ":" + button->Caption);
    tips.push_back(button->ToolTipText);
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"add:追加", "xg:修改", "save:保存", "shuaxin:刷新", "del:删除", "refresh:打开",
                                            "help:帮助", "close:关闭"}));
  EXPECT_EQ(tips[0], " 追加数据 ");
  EXPECT_EQ(tips[5], "打开ACCESS原始数据库，进行批量添加或删除数据。");
  QDir().mkpath(SCREENSHOT_DIR);
  EXPECT_TRUE(ui::SaveScreenshot(w, std::string(SCREENSHOT_DIR) + "/hausdex.png"));
  EXPECT_EQ(ui::CutTexts(w), std::vector<std::string>());
}

TEST_F(CaseDatabaseTest, PlotdexShowsTheLandCases) {
  Form1& w = Load("Plotdex");
  EXPECT_EQ(w.Caption(), "宗地交易案例数据维护");
  EXPECT_EQ(w.DataGrid1.ColumnCount(), 32);
  EXPECT_EQ(w.DataGrid1.ColumnCaption(9), "  建筑密度%");
  EXPECT_EQ(w.DataGrid1.Text(1, 1), "高新区学府路北侧地块");
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：" + std::to_string(w.DataGrid1.ApproxCount()) + " 条");
  QDir().mkpath(SCREENSHOT_DIR);
  EXPECT_TRUE(ui::SaveScreenshot(w, std::string(SCREENSHOT_DIR) + "/plotdex.png"));
  EXPECT_EQ(ui::CutTexts(w), std::vector<std::string>());
}

TEST_F(CaseDatabaseTest, TheCountHasSeparatorsAndTwoDecimalsAfterARefresh) {
  casequery_testing::WriteHouseCases((Folder() / "db.mdb").string(), 1234, [](int number) {
    casequery_testing::Row row(29);
    row[0] = std::to_string(number);
    row[1] = "案例" + std::to_string(number);
    return row;
  });
  Form1& w = Load("Hausdex");
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：1,234 条");
  Press(w, "add");  // the count follows only a refresh
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：1,234 条");
  Press(w, "shuaxin");
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：1,234.00 条");
}

TEST_F(CaseDatabaseTest, ACaseAddedAndSavedIsInTheTable) {
  Form1& w = Load("Hausdex");
  Press(w, "add");
  EXPECT_EQ(w.DataGrid1.Bookmark(), 81);
  w.DataGrid1.ScriptEdit(81, 1, "81");
  w.DataGrid1.ScriptEdit(81, 2, "滨湖新城1栋");
  w.DataGrid1.ScriptEdit(81, 3, "7100");
  Press(w, "save");
  EXPECT_EQ(Column("db.mdb", "建筑物名称").back(), "滨湖新城1栋");
  EXPECT_EQ(Column("db.mdb", "交易价格").back(), "7100");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CaseDatabaseTest, AnEditedCellIsSavedWhenTheUserMovesOn) {
  Form1& w = Load("Plotdex");
  w.DataGrid1.ScriptEdit(2, 8, "5200");
  EXPECT_EQ(Column("td.mdb", "交易价格")[1], "5070");
  w.DataGrid1.ScriptGoTo(5, 1);
  EXPECT_EQ(Column("td.mdb", "交易价格")[1], "5200");
}

TEST_F(CaseDatabaseTest, DeleteRemovesTheCurrentCaseAtOnce) {
  Form1& w = Load("Hausdex");
  w.DataGrid1.ScriptGoTo(2, 1);
  Press(w, "del");
  const auto names = Column("db.mdb", "建筑物名称");
  EXPECT_EQ(names.size(), 79u);
  EXPECT_EQ(names[1], "时代广场商铺");
  EXPECT_EQ(w.DataGrid1.Text(2, 1), "时代广场商铺");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CaseDatabaseTest, ARefusedCaseIsShownAndNothingIsLost) {
  Form1& w = Load("Hausdex");
  Press(w, "add");
  w.DataGrid1.ScriptEdit(81, 1, "3");  // the number of a case already there
  w.DataGrid1.ScriptEdit(81, 2, "重复的案例");
  Press(w, "save");  // refused: the toolbar says nothing, the row keeps what was typed
  EXPECT_TRUE(Boxes().empty());
  w.DataGrid1.ScriptGoTo(1, 1);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0]["buttons"], "OK");
  EXPECT_EQ(Boxes()[0]["icon"], "none");
  EXPECT_EQ(Boxes()[0]["title"], "维护数据库");
  EXPECT_NE(Boxes()[0]["text"].get<std::string>().find("序号"), std::string::npos);
  EXPECT_EQ(w.DataGrid1.Bookmark(), 81);
  EXPECT_EQ(w.DataGrid1.Text(81, 1), "重复的案例");
  w.DataGrid1.ScriptEdit(81, 1, "81");
  w.DataGrid1.ScriptGoTo(1, 1);
  EXPECT_EQ(Column("db.mdb", "建筑物名称").back(), "重复的案例");
  EXPECT_EQ(Column("db.mdb", "建筑物名称")[2], "时代广场商铺");
}

TEST_F(CaseDatabaseTest, HausdexEndsWhenItsDatabaseCannotBeOpened) {
  fs::remove(Folder() / "db.mdb");
  Load("Hausdex");
  EXPECT_EQ(Loaded(), nullptr);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0]["text"], "无法打开交易案例数据库db.mdb！");
  EXPECT_EQ(Boxes()[0]["icon"], "none");
  EXPECT_EQ(Boxes()[0]["title"], "维护数据库");
  EXPECT_FALSE(fs::exists(Folder() / "db.mdb"));
}

TEST_F(CaseDatabaseTest, PlotdexWithoutItsDatabaseShowsAnEmptyGrid) {
  fs::remove(Folder() / "td.mdb");
  Form1& w = Load("Plotdex");
  EXPECT_EQ(Loaded(), &w);
  EXPECT_EQ(w.DataGrid1.ApproxCount(), 0);
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：0 条");
  Press(w, "add");
  Press(w, "save");
  Press(w, "del");
  Press(w, "shuaxin");
  EXPECT_EQ(w.StatusBar1.PanelText(1), "     共查出：0.00 条");
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
