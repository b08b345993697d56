#include <gtest/gtest.h>

#include "platform/ui/file_dialog.h"
#include "workbench/common/project_workbook.h"
#include "workbench/shell/shell_test_support.h"

namespace shell_testing {
namespace {

using automation::Object;

using ProjectDocuments = ShellTest;

TEST_F(ProjectDocuments, NewWorkbookWithoutExcelStartsOneAndShowsItEachTimeANewWorkbook) {
  主类::NewMarketWorkbook();
  ASSERT_TRUE(Running("Excel.Application"));
  const Object xl = office::GetRunningObject("Excel.Application");
  EXPECT_TRUE(xl.get("Visible").toBool());
  EXPECT_TRUE(workbench::IsProjectWorkbook(xl));
  EXPECT_TRUE(主类::excel.isNothing());
  主类::NewMarketWorkbook();
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 2);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ProjectDocuments, AMissingTemplateStillShowsTheApplicationWithNothingNew) {
  主类::NewCostWorkbook();
  const Object xl = office::GetRunningObject("Excel.Application");
  EXPECT_TRUE(xl.get("Visible").toBool());
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);

  const Object word = office::CreateObject("Word.Application");
  主类::NewCostReport();  // "房产估价报告( 成本法).dot" is not there
  EXPECT_TRUE(word.get("Visible").toBool());
  EXPECT_EQ(word.obj("Documents").get("Count").toInt32(), 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ProjectDocuments, ReportsNeedARunningWordAndNeverStartOne) {
  主类::NewMarketIncomeReport();
  主类::NewLandReport();
  主类::NewAppraisalContract();
  EXPECT_FALSE(Running("Word.Application"));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, "Word没有启动，请先启动WORD才能建立房产评估报告！");
  EXPECT_EQ(boxes[1].text, "Word没有启动，请先启动WORD才能建立土地评估报告！");
  EXPECT_EQ(boxes[2].text, "Word没有启动，请先启动WORD才能建立估价合同！");
  for (const Box& box : boxes) {
    EXPECT_EQ(box.title, "Qorvane房地产估价系统");
    EXPECT_EQ(box.icon, "information");
    EXPECT_EQ(box.buttons, "OK");
  }

  const Object word = office::CreateObject("Word.Application");
  主类::NewMarketIncomeReport();
  主类::NewMarketIncomeReport();
  EXPECT_EQ(word.obj("Documents").get("Count").toInt32(), 2);
  EXPECT_TRUE(word.get("Visible").toBool());
  EXPECT_EQ(Boxes().size(), 3u);
}

TEST_F(ProjectDocuments, OpenDialogOpensThePickedFileAndACancelEndsIt) {
  const Object xl = office::CreateObject("Excel.Application");
  ui::QueueFileAnswer(std::nullopt);
  主类::OpenWorkbookDialog();
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_FALSE(xl.get("Visible").toBool());
  const ui::CommonDialog& dialog = form().CommonDialog1;
  EXPECT_TRUE(dialog.CancelError);
  EXPECT_EQ(dialog.Flags, ui::kHideReadOnly);
  EXPECT_EQ(dialog.Filter, "所有文件|*.*|Excel文件|*.xls;*.xlsx;*.xlt;*.xltx");
  EXPECT_EQ(dialog.FilterIndex, 2);

  ui::QueueFileAnswer(runtime::ProgramFolder() + "/plain.xls");
  Press("打开");
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "plain.xls");
  EXPECT_TRUE(xl.get("Visible").toBool());
  EXPECT_EQ(主类::excel, xl);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ProjectDocuments, OpenDialogWithoutExcelIsShownButOpensNothing) {
  ui::QueueFileAnswer(runtime::ProgramFolder() + "/plain.xls");
  主类::OpenWorkbookDialog();
  EXPECT_FALSE(Running("Excel.Application"));
  int dialogs = 0;
  for (const auto& e : log_.entries()) dialogs += e["event"] == "file-dialog";
  EXPECT_EQ(dialogs, 1);
}

}  // namespace
}  // namespace shell_testing
