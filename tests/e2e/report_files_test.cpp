// The report leaves the stand-in and comes back: refreshed, saved as .docx, reopened and refreshed
// again with changed values; a program's changes make Word ask before it quits.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

const nlohmann::json kCompleted = {{"event", "msgbox"},
                                   {"text", "评估报告刷新完毕。您可以对该文档任意的修改，当评估数据有所变动的时，您可以重新进行刷新该报告。"}};

void Refresh(Case& c, const std::string& run) {
  const pid_t pid = c.Start("Refrella", run, "click Form2.Command1\n");
  EXPECT_EQ(c.WaitForEnd(pid, 60s), 0);
  EXPECT_EQ(Count(c.Log(run), kCompleted), 1);
}

TEST(ReportFiles, ARefreshedReportSavedAsDocxIsRefreshedAgainWithNewValues) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/市场法.xlt\")");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"");
  c.Eval("Word.Documents.Add(\"" + c.programFolder() + "/房产估价报告(市场法和收益法).dot\")");
  Refresh(c, "first");
  EXPECT_EQ(c.Eval("Word.ActiveDocument.Saved"), "False") << "the refresh changed the report";

  const std::string docx = c.programFolder() + "/报告.docx";
  c.Eval("Word.ActiveDocument.SaveAs2(\"" + docx + "\")");
  EXPECT_EQ(c.Eval("Word.ActiveDocument.Saved"), "True");
  c.Eval("Word.ActiveDocument.Close");
  c.Eval("Word.Documents.Open(\"" + docx + "\")");
  EXPECT_NE(c.Eval("Word.ActiveDocument.Content.Text").find("张三"), std::string::npos);

  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"李四\"");
  Refresh(c, "second");
  const std::string text = c.Eval("Word.ActiveDocument.Content.Text");
  EXPECT_NE(text.find("李四"), std::string::npos) << "the fields came back from the file and were refreshed";
  EXPECT_EQ(text.find("张三"), std::string::npos);
}

TEST(ReportFiles, QuittingWordAfterAProgramsChangeAsksAndCancelKeepsItRunning) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  c.Eval("Word.ActiveDocument.Range(0,0).Text = \"程序写的\"");
  c.Perform("Word.Application", {"quit"});
  c.Perform("Word.Application", {"answer", "取消"});
  EXPECT_EQ(c.Eval("Word.Documents.Count"), "1") << "取消 keeps Word and the document";
  const std::string saved = c.programFolder() + "/退出前.docx";
  c.Perform("Word.Application", {"quit"});
  c.Perform("Word.Application", {"answer", "保存", saved});
  EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(saved); }));
  EXPECT_TRUE(Eventually([&] { return c.Officectl({"eval", "Word.Documents.Count"}).status != 0; })) << "Word quit";
}

}  // namespace
}  // namespace e2e
