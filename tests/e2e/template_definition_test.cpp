// A placeholder field placed in a report template through the workbench, and a report made from
// the saved template refreshed by Refrella: the workbook's value stands where the field was.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

TEST(TemplateDefinition, AFieldInsertedIntoTheMarketTemplateIsFilledInAReportMadeFromIt) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  const std::string dot = c.programFolder() + "/房产估价报告(市场法和收益法).dot";
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/市场法.xlt\")");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E5\").Value = \"一级资质\"");

  const pid_t estivo = c.Start("Estivo", "define",
                               std::string("menu gongjulan.自定义报告模版 1\nwait 定义模板\n"
                                           "choose 定义模板.Combo1 0\nclick 定义模板.Command1\n"
                                           "choose 定义模板.Combo2 0\nchoose 定义模板.Combo4 4\nclick 定义模板.Command2\n"
                                           "click 定义模板.Command3\n") +
                                   kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("define");
  EXPECT_EQ(Count(log, {{"event", "form"}, {"form", "定义模板"}, {"action", "shown"}}), 1);
  EXPECT_EQ(Count(log, {{"event", "form"}, {"form", "定义模板"}, {"action", "closed"}}), 1);
  EXPECT_EQ(Count(log, {{"event", "msgbox"}}), 1) << "only the quit question";
  EXPECT_EQ(Count(log, {{"event", "script-error"}}), 0);

  EXPECT_EQ(c.Eval("Word.ActiveDocument.FullName"), dot) << "the template itself, open for editing";
  EXPECT_EQ(c.Eval("Word.ActiveDocument.Fields(1).Code.Text"), "TITLE _SC006_");
  EXPECT_EQ(c.Eval("Word.ActiveDocument.Content.Text").rfind("_SC006_", 0), 0u) << "at the cursor, the start";
  c.Eval("Word.ActiveDocument.SaveAs(\"" + dot + "\")");

  c.Eval("Word.Documents.Add(\"" + dot + "\")");
  const pid_t refrella = c.Start("Refrella", "refresh", "click Form2.Command1\n");
  EXPECT_EQ(c.WaitForEnd(refrella, 60s), 0);
  const std::string report = c.Eval("Word.ActiveDocument.Content.Text");
  EXPECT_EQ(report.rfind("一级资质", 0), 0u) << report.substr(0, 80);
  EXPECT_EQ(report.find("_SC006_"), std::string::npos);
}

}  // namespace
}  // namespace e2e
