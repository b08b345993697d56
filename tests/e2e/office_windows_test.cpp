// The typical request as a person does it with the stand-in Office's windows: a new market
// workbook, the parameters typed into its grid, a table added, a report made and refreshed. Each
// step leaves screenshots of the windows as test artefacts.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

// Saves the step's screenshots and checks that there is one for each shown window.
void Shoot(const Case& c, const std::string& step, std::size_t windows) {
  const auto files = c.Screenshots("typical-request-" + step);
  EXPECT_EQ(files.size(), windows) << step;
  for (const auto& file : files) EXPECT_GT(std::filesystem::file_size(file), 2000u) << file;  // a picture, not an empty file
}

TEST(OfficeWindows, TheTypicalRequestFromANewWorkbookToARefreshedReport) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);

  const pid_t make = c.Start("Estivo", "make", std::string("menu gongjulan.xj1 1\n") + kQuit);
  ASSERT_EQ(c.WaitForEnd(make), 0);
  ASSERT_EQ(c.Eval("Excel.ActiveWorkbook.Name"), "市场法1");
  Shoot(c, "1-new-workbook", 2);

  c.Perform("Excel.Application", {"sheet", "参数"});
  c.Perform("Excel.Application", {"type", "E7", "张三"});
  c.Perform("Excel.Application", {"type", "E8", "不动产权第0012345号"});
  EXPECT_EQ(c.Eval("Excel.ActiveSheet.Name"), "参数");
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Worksheets(\"参数\").Range(\"E7\").Value"), "张三");
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Worksheets(\"参数\").Range(\"E8\").Value"), "不动产权第0012345号");
  Shoot(c, "2-parameters-typed", 2);

  const pid_t add = c.Start("Estivo", "add", std::string("answer yes\ntoolbar gongjulan.Toolbar1 增加计算表\n") + kQuit);
  ASSERT_EQ(c.WaitForEnd(add), 0);
  Shoot(c, "3-table-added", 2);

  const pid_t report = c.Start("Estivo", "report", std::string("menu gongjulan.新建 9\n") + kQuit);
  ASSERT_EQ(c.WaitForEnd(report), 0);
  ASSERT_EQ(c.Eval("Word.Documents.Count"), "2");
  Shoot(c, "4-report-made", 3);

  const pid_t refresh = c.Start("Refrella", "refresh", "click Form2.Command1\n");
  ASSERT_EQ(c.WaitForEnd(refresh, 60s), 0);
  EXPECT_NE(c.Eval("Word.ActiveDocument.Content.Text").find("张三"), std::string::npos);
  Shoot(c, "5-report-refreshed", 3);
}

}  // namespace
}  // namespace e2e
