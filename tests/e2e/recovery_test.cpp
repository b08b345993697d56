// The office host killed while the user's typed values are unsaved: the next start of Excel and of
// Word offers the copies it left, the values come back through the offer, and programs are served
// all the while.

#include <signal.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/office/recovery/keeper.h"
#include "platform/office/file_access.h"
#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

// The hosts of the case write their copies every 100 ms instead of every minute.
class Recovery : public ::testing::Test {
 protected:
  Recovery() { setenv(office::recovery::kPeriodVariable, "100", 1); }
  ~Recovery() override { unsetenv(office::recovery::kPeriodVariable); }

  // The contents of the copies in the host's recovery folder: those with their description.
  std::vector<std::string> Copies(const Case& c) const {
    std::vector<std::string> contents;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(c.programFolder()).parent_path() / "office" / "recovery", ec))
      if (e.path().extension() == ".json") contents.push_back(office::ReadWholeFile(fs::path(e.path()).replace_extension(".copy")));
    return contents;
  }
};

TEST_F(Recovery, TheValuesTypedBeforeTheHostWasKilledComeBackThroughTheOfferAtTheNextStart) {
  Case c;
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  c.Perform("Excel.Application", {"type", "E7", "张三"});
  c.Eval("Excel.ActiveSheet.Range(\"B2\").Value = \"李四\"");
  c.Eval("Word.ActiveDocument.Range(0, 0).Text = \"估价报告\"");
  ASSERT_TRUE(Eventually([&] {
    const auto copies = Copies(c);
    return copies.size() == 2 && (copies[0] + copies[1]).find("张三") != std::string::npos &&
           (copies[0] + copies[1]).find("李四") != std::string::npos && (copies[0] + copies[1]).find("估价报告") != std::string::npos;
  }));
  kill(c.HostPid(), SIGKILL);
  ASSERT_TRUE(Eventually([&] { return c.HostPid() == 0; }));

  // A new host: the copies wait for an application that shows its windows, and programs go on.
  ASSERT_EQ(c.Officectl({"run", "Excel"}).status, 0);
  EXPECT_EQ(c.Eval("Excel.Workbooks.Count"), "1");
  c.Eval("Excel.ActiveSheet.Range(\"A1\").Value = 1");
  EXPECT_EQ(c.Eval("Excel.ActiveSheet.Range(\"A1\").Value"), "1");
  EXPECT_EQ(c.Screenshots("recovery-excel-offer").size(), 2u) << "Excel's window and the offer";
  c.Perform("Excel.Application", {"recovered", "打开", "工作簿1"});
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Name"), "工作簿1（已恢复）");
  EXPECT_EQ(c.Eval("Excel.ActiveSheet.Range(\"E7\").Value"), "张三");
  EXPECT_EQ(c.Eval("Excel.ActiveSheet.Range(\"B2\").Value"), "李四");
  EXPECT_EQ(c.Eval("Excel.ActiveWorkbook.Saved"), "False");

  ASSERT_EQ(c.Officectl({"run", "Word"}).status, 0);
  c.Perform("Word.Application", {"recovered", "全部打开"});
  EXPECT_EQ(c.Eval("Word.ActiveDocument.Name"), "文档1（已恢复）");
  EXPECT_EQ(c.Eval("Word.ActiveDocument.Content.Text").rfind("估价报告", 0), 0u);

  // Saved or closed, the changes kept or not: no copy is left.
  const std::string saved = c.programFolder() + "/../恢复.xls";
  c.Eval("Excel.ActiveWorkbook.SaveAs(\"" + saved + "\")");
  c.Eval("Word.ActiveDocument.Close(0)");
  c.Eval("Excel.Workbooks(\"工作簿1\").Close(False)");
  EXPECT_TRUE(Eventually([&] { return Copies(c).empty(); }));
  EXPECT_NE(office::ReadWholeFile(saved).find("张三"), std::string::npos);
}

}  // namespace
}  // namespace e2e
