// The typical request with real processes: a market workbook and a report in the stand-in Office,
// the refresher started as a program of its own, the report read back through officectl.

#include <gtest/gtest.h>

#include <signal.h>

#include <regex>
#include <thread>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

struct RefresherRun {
  const char* program;
  const char* workbook;
  const char* report;
  const char* script;  // what the user does in the program
  int ownerColumn;     // of result table 1
};

bool HoldsAKey(const std::string& text) { return std::regex_search(text, std::regex("_[A-Z]{2}[0-9]{3}_")); }

class RefresherE2E : public ::testing::TestWithParam<RefresherRun> {};

TEST_P(RefresherE2E, FillsTheActiveReportFromTheActiveWorkbook) {
  const RefresherRun& run = GetParam();
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/" + run.workbook + "\")");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"");
  c.Eval("Word.Documents.Add(\"" + c.programFolder() + "/" + run.report + "\")");
  ASSERT_TRUE(HoldsAKey(c.Eval("Word.ActiveDocument.Content.Text")));

  const pid_t pid = c.Start(run.program, "refresh", run.script);
  EXPECT_EQ(c.WaitForEnd(pid, 60s), 0) << "the program ends when its last window is gone";
  const std::string text = c.Eval("Word.ActiveDocument.Content.Text");
  EXPECT_FALSE(HoldsAKey(text)) << "no key left in the main text";
  EXPECT_NE(text.find("张三"), std::string::npos);
  const std::string owner = "Word.ActiveDocument.Tables(1).Cell(2," + std::to_string(run.ownerColumn) + ").Range.Text";
  EXPECT_EQ(c.Eval(owner).rfind("张三", 0), 0u) << "result table 1";
  EXPECT_EQ(Count(c.Log("refresh"), {{"event", "msgbox"}, {"title", "提示"}, {"icon", "information"},
                                     {"text", "评估报告刷新完毕。您可以对该文档任意的修改，当评估数据有所变动的时，您可以重新进行刷新该报告。"}}),
            1);
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Name").empty(), false) << "Excel keeps running with the workbook";
}

// Refrella on a market workbook and its report, started; returns once the wait window shows.
pid_t StartMarketRefresh(Case& c) {
  c.Officectl({"run", "Excel"});
  c.Officectl({"run", "Word"});
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/市场法.xlt\")");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"");
  c.Eval("Word.Documents.Add(\"" + c.programFolder() + "/房产估价报告(市场法和收益法).dot\")");
  const pid_t pid = c.Start("Refrella", "refresh", "click Form2.Command1\n");
  EXPECT_TRUE(c.WaitForLog("refresh", {{"event", "form"}, {"form", "Form3"}, {"action", "shown"}}, 20s));
  return pid;
}

const nlohmann::json kCompleted = {{"event", "msgbox"},
                                   {"text", "评估报告刷新完毕。您可以对该文档任意的修改，当评估数据有所变动的时，您可以重新进行刷新该报告。"}};

TEST(RefresherHost, AHostStoppedForTenSecondsIsWaitedForAndTheRefreshCompletes) {
  Case c;
  const pid_t pid = StartMarketRefresh(c);
  const pid_t host = c.HostPid();
  ASSERT_NE(host, 0);
  kill(host, SIGSTOP);
  std::this_thread::sleep_for(10s);
  kill(host, SIGCONT);
  EXPECT_EQ(c.WaitForEnd(pid, 60s), 0);
  EXPECT_FALSE(HoldsAKey(c.Eval("Word.ActiveDocument.Content.Text"))) << "every key replaced";
  EXPECT_EQ(Count(c.Log("refresh"), kCompleted), 1);
}

TEST(RefresherHost, AHostThatDiesDuringTheRefreshIsReportedNeverACompletion) {
  Case c;
  const pid_t pid = StartMarketRefresh(c);
  kill(c.HostPid(), SIGKILL);
  EXPECT_EQ(c.WaitForEnd(pid, 30s), 0);
  const auto log = c.Log("refresh");
  EXPECT_EQ(Count(log, kCompleted), 0);
  EXPECT_EQ(Count(log, {{"event", "msgbox"}, {"text", "与Excel或Word的连接已中断，报告没有刷新完毕。"}, {"icon", "information"},
                        {"title", "Qorvane房地产估价系统"}}),
            1);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, RefresherE2E,
    ::testing::Values(RefresherRun{"Refrella", "市场法.xlt", "房产估价报告(市场法和收益法).dot", "click Form2.Command1\n", 2},
                      RefresherRun{"Refrella1", "基准地价与成本逼近.xlt", "土地估价报告(基准地价和成本逼近).dot", "answer yes\n", 1},
                      RefresherRun{"Refrella2", "成本法.xlt", "房产估价报告( 成本法).dot", "answer yes\n", 2}),
    [](const auto& run) { return std::string(run.param.program); });

}  // namespace
}  // namespace e2e
