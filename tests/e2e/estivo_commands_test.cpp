// Commands of the toolbar as the user runs them: calculation tables added and deleted on a market
// workbook, and a window of the menu; checked through officectl and the log.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

TEST(EstivoCommands, AddsAndDeletesATableOnAMarketWorkbook) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/市场法.xlt\")");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"");
  const auto sheetCell = [&](const char* sheet, const char* cell) {
    return c.Eval(std::string("Excel.Worksheets(\"") + sheet + "\").Range(\"" + cell + "\").Value");
  };

  const pid_t add = c.Start("Estivo", "add", std::string("answer yes\ntoolbar gongjulan.Toolbar1 增加计算表\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(add), 0);
  EXPECT_EQ(sheetCell("市场法计算表", "B1"), "74");
  EXPECT_EQ(sheetCell("市场法计算表", "D1"), "2");
  EXPECT_EQ(sheetCell("收益法计算表2", "D1"), "2");
  EXPECT_EQ(sheetCell("估价结果汇总表", "B9"), "张三");
  EXPECT_EQ(sheetCell("估价结果汇总表", "J9"), "市场法与收益法加权");
  EXPECT_EQ(c.Eval("Excel.Worksheets(\"估价结果汇总表\").Range(\"H9\").FormulaR1C1"),
            "=市场法计算表!R72C3/2+收益法计算表2!R66C9/2");

  const pid_t del = c.Start("Estivo", "delete", std::string("answer ok\ntoolbar gongjulan.Toolbar1 删除计算表\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(del), 0);
  EXPECT_EQ(sheetCell("市场法计算表", "B1"), "38");
  EXPECT_EQ(sheetCell("收益法计算表1", "D1"), "1");
  EXPECT_EQ(sheetCell("估价结果汇总表", "J9"), "");
  EXPECT_EQ(sheetCell("估价结果汇总表", "L9"), "_HZ002_");
}

TEST(EstivoCommands, TheUtilitiesWindowSpellsTheAmountKeystrokeByKeystroke) {
  Case c;
  const pid_t estivo = c.Start("Estivo", "run",
                               std::string("menu gongjulan.实用工具 1\nwait 实用工具1\ntype 实用工具1.Text2 123\n"
                                           "dump 实用工具1.Text1\n") +
                                   kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  EXPECT_EQ(Count(c.Log("run"), {{"event", "dump"}, {"text", "壹佰贰拾叁元零角零分"}}), 1);
}

}  // namespace
}  // namespace e2e
