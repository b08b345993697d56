#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "platform/ui/message_box.h"
#include "platform/ui/scripted_answers.h"
#include "workbench/shell/shell_module.h"
#include "workbench/shell/windows_test_support.h"

namespace 主类 {
namespace {

using shell_testing::ErrorNumberOf;

class ProtectionWizards : public shell_testing::OfficeTest {
 protected:
  void SetUp() override {
    OfficeTest::SetUp();
    StartExcel();
    Open(shell_testing::ProjectWorkbook("市场法计算表"));
  }
  void TearDown() override {
    excel = automation::Object();  // the shared reference must not outlive this test's Office
    OfficeTest::TearDown();
  }
  bool StructureProtected() const { return xl.obj("ActiveWorkbook").get("ProtectStructure").toBool(); }
};

// A person at the next box: does something else first, then presses a key.
void PressAtTheNextBox(Qt::Key key, std::function<void()> meanwhile = {}) {
  ui::SetScriptedRun(false);
  QTimer::singleShot(0, [=] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    if (meanwhile) meanwhile();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(box->focusWidget() != nullptr ? box->focusWidget() : box, &press);
  });
}
void PressEscapeAtTheNextBox() { PressAtTheNextBox(Qt::Key_Escape); }

TEST_F(ProtectionWizards, WorksheetOkProtectsLockedCellsButLeavesFormattingAndCancelUnprotects) {
  const automation::Object sheet = ActiveSheet();
  ui::QueueBoxAnswer(ui::kCancel);
  ToggleWorksheetProtection();
  EXPECT_FALSE(Protected(sheet));
  sheet.obj("Range", "A1").put("Value", "可编辑");

  ui::QueueBoxAnswer(ui::kOk);
  ToggleWorksheetProtection();
  EXPECT_TRUE(Protected(sheet));
  EXPECT_EQ(ErrorNumberOf([&] { sheet.obj("Range", "A1").put("Value", "锁定"); }), 1004);
  EXPECT_EQ(sheet.obj("Range", "A1").get("Value").toText(), "可编辑");
  sheet.obj("Range", "B2").put("Value", 20);  // an unlocked cell
  sheet.obj("Range", "D1").put("ColumnWidth", 20);
  EXPECT_EQ(sheet.obj("Range", "D1").get("ColumnWidth").toDouble(), 20);

  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0]["text"], "本操作将对当前评估表进行保护或者取消保护！  \n\n点“确定”进行保护；\n\n点“取消”取消保护。 ");
  EXPECT_EQ(boxes[0]["title"], "工作表保护向导");
  EXPECT_EQ(boxes[0]["icon"], "information");
  EXPECT_EQ(boxes[0]["buttons"], "OK/Cancel");
}

TEST_F(ProtectionWizards, EscapeCountsAsCancelAndUnprotects) {
  PressEscapeAtTheNextBox();
  ToggleWorksheetProtection();
  EXPECT_FALSE(Protected(ActiveSheet()));

  ui::SetScriptedRun(true);
  ui::QueueBoxAnswer(ui::kOk);
  ToggleWorkbookProtection();
  EXPECT_TRUE(StructureProtected());
  PressEscapeAtTheNextBox();
  ToggleWorkbookProtection();
  EXPECT_FALSE(StructureProtected());
}

TEST_F(ProtectionWizards, WorkbookOkProtectsTheStructureAndCancelUnprotects) {
  ui::QueueBoxAnswer(ui::kOk);
  ToggleWorkbookProtection();
  EXPECT_TRUE(StructureProtected());
  ui::QueueBoxAnswer(ui::kOk);
  ToggleWorkbookProtection();  // protecting again with the same password is accepted
  EXPECT_TRUE(StructureProtected());
  ui::QueueBoxAnswer(ui::kCancel);
  ToggleWorkbookProtection();
  EXPECT_FALSE(StructureProtected());

  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0]["text"], "本操作将对本工作簿进行保护或者取消保护！  \n\n点“确定”进行保护；\n\n点“取消”取消保护。 ");
  EXPECT_EQ(boxes[0]["title"], "工作薄保护向导");
  EXPECT_EQ(boxes[0]["icon"], "information");
}

// Excel stays usable while the question waits.
TEST_F(ProtectionWizards, AWorkbookActivatedWhileTheQuestionWaitsIsLeftAlone) {
  const automation::Object project = xl.obj("ActiveWorkbook");
  const automation::Object projectSheet = ActiveSheet();
  projectSheet.call("Unprotect", workbench::kWorksheetPassword);
  const automation::Object mine = Open(shell_testing::json{{"sheets", {{{"name", "我的表"}}}}}, "我的.xls");
  project.call("Activate");
  const auto goToMine = [mine] { mine.call("Activate"); };

  PressAtTheNextBox(Qt::Key_Return, goToMine);  // OK is the default button
  ToggleWorksheetProtection();
  EXPECT_FALSE(Protected(mine.obj("Worksheets", 1)));
  EXPECT_TRUE(Protected(projectSheet));

  project.call("Activate");
  PressAtTheNextBox(Qt::Key_Return, goToMine);
  ToggleWorkbookProtection();
  EXPECT_FALSE(mine.get("ProtectStructure").toBool());
  EXPECT_TRUE(project.get("ProtectStructure").toBool());
}

TEST_F(ProtectionWizards, AskNothingAndChangeNothingOnAForeignWorkbook) {
  for (const char* marker : {"qorvane房地产", "Qorvane房地产 "}) {
    Open(shell_testing::ProjectWorkbook("市场法计算表", marker), std::string("外来") + marker + ".xls");
    ToggleWorksheetProtection();
    ToggleWorkbookProtection();
    EXPECT_TRUE(Protected(ActiveSheet()));
    EXPECT_FALSE(StructureProtected());
  }
  xl.obj("Workbooks").call("Add");  // no sheet 参数
  ToggleWorksheetProtection();
  ToggleWorkbookProtection();
  EXPECT_FALSE(StructureProtected());
  EXPECT_TRUE(Boxes().empty());
}

TEST(ProtectionWizardsWithoutExcel, TheWorkbookWizardStartsNoExcelAndNeitherAsks) {
  const ui::testing::CapturedLog log;
  const office::InProcessOffice office(shell_testing::ExcelOnly());
  ToggleWorkbookProtection();
  EXPECT_TRUE(office::RunningApplications().empty());
  ToggleWorksheetProtection();  // may leave an invisible Excel behind
  EXPECT_TRUE(log.entries().empty());
  excel = automation::Object();
}

}  // namespace
}  // namespace 主类
