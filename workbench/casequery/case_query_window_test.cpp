#include "workbench/casequery/case_query_window.h"

#include <gtest/gtest.h>

#include "workbench/casequery/casequery_test_support.h"

namespace {

using casequery_testing::CaseQueryTest;

TEST_F(CaseQueryTest, OpensWithEveryCaseAndItsInitialTexts) {
  StartExcel();
  Open(casequery_testing::MarketWorkbook());
  案例查询& w = Window();
  EXPECT_EQ(w.Caption(), "案例查询");
  EXPECT_EQ(w.DataGrid1.ApproxCount(), 7);
  EXPECT_EQ(w.DataGrid1.ColumnCount(), 29);
  EXPECT_EQ(w.DataGrid1.ColumnCaption(5), "交易情况");
  EXPECT_EQ(w.Combo1.ListCount(), 29);
  EXPECT_EQ(w.Combo1.List(12), "产业规模及繁华程度");
  EXPECT_EQ(w.Combo1.Text(), "建筑物名称");
  EXPECT_EQ(w.Text1.Text(), "建筑物名称");
  EXPECT_EQ(w.Text2.Text(), "1");
  EXPECT_EQ(w.Combo2.Text(), "请在下拉框内选择一个交易案例");
  EXPECT_EQ(w.Command1.Caption(), "查询(&Y)");
  EXPECT_EQ(w.Command2.Caption(), "插入(&O)");
  EXPECT_FALSE(w.DataGrid1.AllowUpdate());
  w.DataGrid1.ScriptGoTo(5, 1);
  Screenshot(w, "case-query");
}

TEST_F(CaseQueryTest, SearchesTheChosenColumnForTheTypedBeginning) {
  StartExcel();
  Open(casequery_testing::MarketWorkbook());
  EXPECT_EQ(Search("建筑物名称", "花园"), (std::vector<std::string>{"花园小区", "花园新村"}));
  EXPECT_EQ(Search("交易价格", "12"), (std::vector<std::string>{"花园小区", "花园新村", "100%花园"}));
  EXPECT_EQ(Search("交易情况及目的", "交易情况-3"), (std::vector<std::string>{"滨江花园"}));
  EXPECT_EQ(Search("建筑物新旧程度", "新旧程度-7"), (std::vector<std::string>{"a_b大厦"}));
  EXPECT_EQ(Search("建筑物名称", "").size(), 7u);
  // What the user types is matched as it stands.
  EXPECT_EQ(Search("建筑物名称", "100%"), (std::vector<std::string>{"100%花园"}));
  EXPECT_EQ(Search("建筑物名称", "%花园"), std::vector<std::string>{});
  EXPECT_EQ(Search("建筑物名称", "a_"), (std::vector<std::string>{"a_b大厦"}));
  EXPECT_EQ(Search("建筑物名称", "O'Brien"), (std::vector<std::string>{"O'Brien公寓"}));
  EXPECT_EQ(Search("建筑物名称", "x' or '1'='1"), std::vector<std::string>{});
  EXPECT_EQ(Search("建筑物名称", "[a"), std::vector<std::string>{});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CaseQueryTest, AnUnknownConditionWarnsAndKeepsTheRows) {
  StartExcel();
  Open(casequery_testing::MarketWorkbook());
  Search("建筑物名称", "花园");
  EXPECT_EQ(Search("交易情况", "正常"), (std::vector<std::string>{"花园小区", "花园新村"}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0]["text"], "请在“选择”下拉框内选择拟查询的条件！");
  EXPECT_EQ(Boxes()[0]["icon"], "exclamation");
  EXPECT_EQ(Boxes()[0]["title"], "提示");
}

TEST_F(CaseQueryTest, SearchingElsewhereThanTheMarketSheetClosesTheWindow) {
  StartExcel();
  Open(casequery_testing::MarketWorkbook("参数"));
  Window().Command1_Click();
  EXPECT_EQ(ui::FindLoadedForm("案例查询"), nullptr);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0]["text"], "当前表不能使用查询功能，本功能只在“市场法计算表”表格中才能生效！");
  EXPECT_EQ(Boxes()[0]["icon"], "information");

  Window().Command1_Click();  // and without any Excel
  EXPECT_EQ(ui::FindLoadedForm("案例查询"), nullptr);
}

TEST_F(CaseQueryTest, TheUpDownStepsThroughTheTablesOfTheSheet) {
  StartExcel();
  Open(casequery_testing::MarketWorkbook());
  案例查询& w = Window();
  std::vector<std::string> shown;
  for (int i = 0; i < 4; ++i) {
    w.UpDown1.ScriptStep(true);
    shown.push_back(w.Text2.Text());
  }
  for (int i = 0; i < 4; ++i) {
    w.UpDown1.ScriptStep(false);
    shown.push_back(w.Text2.Text());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"1", "2", "3", "3", "2", "1", "1", "1"}));
}

TEST_F(CaseQueryTest, TheUpDownWithoutExcelStillShowsItsValue) {
  案例查询& w = Window();
  w.UpDown1.ScriptStep(true);
  EXPECT_EQ(w.UpDown1.Min(), 1);
  EXPECT_EQ(w.UpDown1.Max(), 10);
  EXPECT_EQ(w.Text2.Text(), "1");
}

}  // namespace
