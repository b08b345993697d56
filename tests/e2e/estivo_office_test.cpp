// Estivo as the user runs it beside the stand-in Excel and Word: started with or without Excel,
// new documents from the templates, the quit question; checked through officectl.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

using nlohmann::json;

// The workbench with the stand-in Excel and Word of its case's officehost.
class EstivoInOffice : public ::testing::Test {};

TEST_F(EstivoInOffice, StartedWithoutExcelOpensAVisibleExcelWithOneWorkbookThenItsToolbar) {
  Case c;
  const pid_t estivo = c.Start("Estivo", "run", kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("run");
  EXPECT_EQ(Count(log, kShown), 1);
  EXPECT_EQ(Count(log, {{"event", "topmost"}, {"form", "gongjulan"}}), 1);
  EXPECT_EQ(Count(log, {{"event", "hotkey"}, {"id", 49146}, {"modifiers", 2}, {"registered", true}}), 3);
  EXPECT_EQ(c.Officectl({"status"}).out, "Excel.Application visible\n");
  EXPECT_EQ(c.Eval("Excel.Workbooks.Count"), "1");
}

TEST_F(EstivoInOffice, StartedBesideARunningExcelLeavesItUntouched) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  c.Eval("Excel.ActiveWorkbook.Worksheets(1).Range(\"A1\").Value = \"用户的\"");
  const pid_t estivo = c.Start("Estivo", "run", kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  EXPECT_EQ(c.Eval("Excel.Workbooks.Count"), "1");
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Worksheets(1).Range(\"A1\").Value"), "用户的");
}

TEST_F(EstivoInOffice, MakesAMarketWorkbookAndAReportFromTheTemplatesOnceWordRuns) {
  Case c;
  const pid_t first = c.Start("Estivo", "first", std::string("menu gongjulan.xj1 1\nmenu gongjulan.xj1 5\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(first), 0);
  const auto log = c.Log("first");
  EXPECT_EQ(Count(log, {{"event", "msgbox"},
                        {"text", "Word没有启动，请先启动WORD才能建立房产评估报告！"},
                        {"title", "Qorvane房地产估价系统"},
                        {"icon", "information"}}),
            1);
  EXPECT_EQ(c.Officectl({"status"}).out, "Excel.Application visible\n") << "no Word was created";
  EXPECT_EQ(c.Eval("Excel.Workbooks.Count"), "2");
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Name"), "市场法1");
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Worksheets(\"参数\").Range(\"A1\").Value"), "Qorvane房地产");

  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  const pid_t second = c.Start("Estivo", "second", std::string("menu gongjulan.新建 9\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(second), 0);
  EXPECT_EQ(c.Eval("Word.Documents.Count"), "2");
  EXPECT_NE(c.Eval("Word.ActiveDocument.Range.Text").find("估价报告"), std::string::npos);
  EXPECT_EQ(c.Eval("Excel.Workbooks.Count"), "2") << "the second start found Excel running";
}

TEST_F(EstivoInOffice, QuitAnsweredNoGoesOnAndYesEndsWithExcelAndWordStillOpen) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  const pid_t estivo = c.Start("Estivo", "run",
                               "answer no\nclose gongjulan\n"
                               "menu gongjulan.xj1 1\n"
                               "answer yes\nmenu gongjulan.退出 1\n");
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("run");
  const json question = {{"event", "msgbox"},   {"title", "退出"},  {"text", "是否退出Qorvane房地产估价系统？"},
                         {"icon", "question"}, {"buttons", "Yes/No"}};
  json no = question, yes = question;
  no["answer"] = "No";
  yes["answer"] = "Yes";
  EXPECT_EQ(Count(log, no), 1);
  EXPECT_EQ(Count(log, yes), 1);
  EXPECT_EQ(Count(log, kClosed), 1);
  EXPECT_EQ(c.Eval("Excel.Workbooks.Count"), "2") << "the window went on working after No";
  EXPECT_EQ(c.Officectl({"status"}).out, "Excel.Application visible\nWord.Application visible\n");
  EXPECT_EQ(c.Eval("Word.Documents.Count"), "1");
}

}  // namespace
}  // namespace e2e
