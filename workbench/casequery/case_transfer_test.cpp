#include <gtest/gtest.h>

#include "workbench/casequery/casequery_test_support.h"

namespace {

using casequery_testing::CaseQueryTest;
using casequery_testing::MarketWorkbook;

class CaseTransfer : public CaseQueryTest {
 protected:
  // Chooses the case in the grid, the comparison column and the table, then inserts.
  void Insert(int row, const std::string& column, const std::string& table) {
    案例查询& w = Window();
    w.DataGrid1.ScriptGoTo(row, 1);
    w.Combo2.ScriptClear();
    w.Combo2.ScriptType(column);
    w.Text2.ScriptClear();
    w.Text2.ScriptType(table);
    w.Command2_Click();
  }
  std::string LastBox() const { return Boxes().empty() ? std::string() : Boxes().back()["text"].get<std::string>(); }
  // The cells of a column from row first to last that hold anything.
  int Written(const std::string& column, int first, int last) const {
    int count = 0;
    for (int row = first; row <= last; ++row) count += Cell(column + std::to_string(row)).empty() ? 0 : 1;
    return count;
  }
};

TEST_F(CaseTransfer, TheCurrentCaseFillsTheFieldBoxes) {
  StartExcel();
  Open(MarketWorkbook());
  案例查询& w = Window();
  w.DataGrid1.ScriptGoTo(3, 2);
  EXPECT_EQ(w.Text(3).Text(), "3");
  EXPECT_EQ(w.Text(4).Text(), "滨江花园");
  EXPECT_EQ(w.Text(6).Text(), "地址-3");
  EXPECT_EQ(w.Text(31).Text(), "朝向-3");
  w.DataGrid1.ScriptGoTo(6, 1);
  EXPECT_EQ(w.Text(4).Text(), "");  // no building name
  EXPECT_EQ(w.Text(9).Text(), "");
  EXPECT_EQ(w.Text(10).Text(), "交易状况-6");
  Search("建筑物名称", "没有这样的案例");
  for (int k = 3; k <= 31; ++k) EXPECT_EQ(w.Text(k).Text(), "") << k;
}

TEST_F(CaseTransfer, Table1SecondCaseGoesToE9ToE34) {
  StartExcel();
  Open(MarketWorkbook());
  Insert(2, "交易案例2", "1");
  EXPECT_EQ(Cell("E9"), "花园新村");
  EXPECT_EQ(Cell("E10"), "1200");
  EXPECT_EQ(Cell("E11"), "交易情况-2");
  EXPECT_EQ(Cell("E34"), "朝向-2");
  EXPECT_EQ(Written("E", 1, 200), 26);
  EXPECT_EQ(LastBox(), "查询的交易案例[花园新村]包括其所有基本信息已经成功更新至当前计算表中!");
  EXPECT_EQ(Boxes().back()["title"], "Qorvane房地产估价系统");
  EXPECT_EQ(Boxes().back()["icon"], "information");
  EXPECT_NE(ui::FindLoadedForm("案例查询"), nullptr);  // the window stays
}

TEST_F(CaseTransfer, Table3ThirdCaseGoesToF81ToF106AsEdited) {
  StartExcel();
  Open(MarketWorkbook());
  Window().DataGrid1.ScriptGoTo(1, 1);
  Window().Text(5).ScriptClear();
  Window().Text(5).ScriptType("6800");
  案例查询& w = Window();
  w.Combo2.ScriptChoose(2);
  w.Text2.ScriptClear();
  w.Text2.ScriptType("3");
  w.Command2_Click();
  EXPECT_EQ(Cell("F81"), "花园小区");
  EXPECT_EQ(Cell("F82"), "6800");
  EXPECT_EQ(Cell("F106"), "朝向-1");
  EXPECT_EQ(Written("F", 1, 200), 26);
}

TEST_F(CaseTransfer, AColumnAndACaseMustBeChosen) {
  StartExcel();
  Open(MarketWorkbook());
  案例查询& w = Window();
  Search("建筑物名称", "没有这样的案例");
  w.Command2_Click();
  EXPECT_EQ(LastBox(), "没有在下拉框内选择交易案例，请选择一个交易案例，然后再单击“插入”。");
  w.Combo2.ScriptChoose(0);
  w.Text(4).ScriptType("手写的案例");
  w.Command2_Click();
  EXPECT_EQ(LastBox(), "请必须选中列表中某一行之后，在点击本按钮。");
  EXPECT_EQ(Written("D", 2, 200), 0);
}

TEST_F(CaseTransfer, ATableNumberOutsideTheSheetIsRefused) {
  StartExcel();
  Open(MarketWorkbook());
  for (const char* table : {"0", "4", "abc", "-1", "99999", "3.6"}) {
    Insert(1, "交易案例1", table);
    EXPECT_EQ(LastBox(), "选择的计算表编号超出范围，请输入1至3之间的计算表编号！") << table;
  }
  EXPECT_EQ(Written("D", 2, 1000), 0);
  Insert(1, "交易案例1", "2.5");  // a half goes to the even neighbour
  EXPECT_EQ(Cell("D45"), "花园小区");
}

TEST_F(CaseTransfer, OnlyTheMarketSheetReceivesACase) {
  StartExcel();
  Open(MarketWorkbook());
  案例查询& w = Window();
  xl.obj("ActiveWorkbook").obj("Worksheets", "说明").call("Activate");
  Insert(1, "交易案例1", "1");
  EXPECT_EQ(LastBox(), "当前表无法执行本功能。仅在市场法计算表中才能使用本功能！");
  EXPECT_EQ(Boxes().back()["title"], "提示");
  EXPECT_EQ(xl.obj("ActiveSheet").obj("Range", "D9").get("Text").toText(), "");
  EXPECT_EQ(&w, ui::FindLoadedForm("案例查询"));
  EXPECT_EQ(w.Text(4).Text(), "花园小区");
}

TEST_F(CaseTransfer, FailedWritesAreNotReportedAsSuccess) {
  StartExcel();
  Open(MarketWorkbook("市场法计算表", true));
  Insert(1, "交易案例1", "1");
  EXPECT_EQ(LastBox(), "交易案例未能全部写入当前计算表，请检查计算表的保护状态或Excel是否仍在运行！");
  EXPECT_TRUE(Protected(ActiveSheet()));
  xl.put("Visible", false);
  xl = automation::Object();  // the user quits Excel
  Insert(1, "交易案例1", "1");
  EXPECT_EQ(LastBox(), "当前表无法执行本功能。仅在市场法计算表中才能使用本功能！");
}

}  // namespace
