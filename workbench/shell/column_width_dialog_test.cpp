#include "workbench/shell/column_width_dialog.h"

#include <gtest/gtest.h>

#include "workbench/shell/windows_test_support.h"

namespace {

using automation::Object;

class ColumnWidthDialog : public shell_testing::OfficeTest {
 protected:
  void SetUp() override {
    OfficeTest::SetUp();
    StartExcel();
    Open(shell_testing::ProjectWorkbook("市场法计算表"));
    SelectColumns("B1:C3");
  }
  void SelectColumns(const char* cells) const { ActiveSheet().obj("Range", cells).call("Select"); }
  double Width(const char* column) const { return ActiveSheet().obj("Range", std::string(column) + "1").get("ColumnWidth").toDouble(); }
  static Form3& dialog() { return ui::Default<Form3>(); }
  static bool DialogOpen() { return ui::FindLoadedForm("Form3") != nullptr; }
  // Opens the dialog, types the width over what it shows, presses OK.
  static void SetWidth(const std::string& typed) {
    ShowColumnWidthDialog();
    dialog().Text1.setText("");
    dialog().Text1.ScriptType(typed);
    dialog().Command1.ScriptClick();
  }
};

TEST_F(ColumnWidthDialog, ShowsTheActiveCellsWidthAndSetsTheSelectedColumnsLeavingTheSheetProtected) {
  ShowColumnWidthDialog();
  EXPECT_EQ(dialog().Caption(), "调整列宽");
  EXPECT_EQ(dialog().Label1.Caption(), "请输入拟调整的列宽");
  EXPECT_EQ(dialog().Text1.Text(), "8.38");
  Screenshot(dialog(), "column_width_dialog");
  dialog().Text1.setText("12");
  dialog().Command1.ScriptClick();
  EXPECT_FALSE(DialogOpen());
  EXPECT_EQ(Width("B"), 12);
  EXPECT_EQ(Width("C"), 12);
  EXPECT_EQ(Width("D"), 15);
  EXPECT_TRUE(Protected(ActiveSheet()));
  EXPECT_EQ(shell_testing::ErrorNumberOf([&] { ActiveSheet().obj("Range", "A1").put("Value", "x"); }), 1004);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ColumnWidthDialog, ZeroAndTwoHundredFiftyFiveAreTakenAnythingElseIsRefusedWithTheMessage) {
  for (const char* typed : {"0", "255"}) {
    SetWidth(typed);
    EXPECT_EQ(Width("B"), std::stod(typed));
    EXPECT_FALSE(DialogOpen());
  }
  for (const char* typed : {"256", "-1", "宽", "abc", ""}) {
    SetWidth(typed);
    EXPECT_EQ(Width("B"), 255) << typed;
    EXPECT_FALSE(DialogOpen()) << typed;
    EXPECT_TRUE(Protected(ActiveSheet())) << typed;
  }
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0]["text"], "列宽范围为0-255个字符.请输入正确的列宽！");
  EXPECT_EQ(boxes[0]["title"], "Qorvane房地产估价系统");
  EXPECT_EQ(boxes[0]["icon"], "none");
  EXPECT_EQ(boxes[0]["buttons"], "OK");
}

TEST_F(ColumnWidthDialog, FitFitsTheSelectedColumnsWithoutLookingAtTheBox) {
  ActiveSheet().call("Unprotect", workbench::kWorksheetPassword);
  ActiveSheet().obj("Range", "C2").put("Value", "一段相当长的说明文字写在这里");
  ActiveSheet().call("Protect", workbench::kWorksheetPassword);
  ShowColumnWidthDialog();
  dialog().Text1.setText("not a width");
  dialog().Command2.ScriptClick();
  EXPECT_FALSE(DialogOpen());
  EXPECT_GT(Width("C"), 20);
  EXPECT_EQ(Width("D"), 15);
  EXPECT_TRUE(Protected(ActiveSheet()));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ColumnWidthDialog, CancelLeavesSheetAndProtectionAlone) {
  ActiveSheet().call("Unprotect", workbench::kWorksheetPassword);
  ShowColumnWidthDialog();
  dialog().Text1.setText("30");
  dialog().Command3.ScriptClick();
  EXPECT_FALSE(DialogOpen());
  EXPECT_EQ(Width("B"), 8.38);
  EXPECT_FALSE(Protected(ActiveSheet()));
}

TEST_F(ColumnWidthDialog, ReopenedAfterTheActiveCellMovedItShowsTheNewWidth) {
  ShowColumnWidthDialog();
  SelectColumns("D5");
  ShowColumnWidthDialog();
  EXPECT_EQ(dialog().Text1.Text(), "8.38") << "an open dialog is only brought forward";
  dialog().Command3.ScriptClick();
  ShowColumnWidthDialog();
  EXPECT_EQ(dialog().Text1.Text(), "15");
}

// The dialog is modeless: the user may have gone to a workbook of their own since it opened.
TEST_F(ColumnWidthDialog, OnAForeignWorkbookNeitherButtonProtectsAnythingOrCloses) {
  ShowColumnWidthDialog();
  using shell_testing::json;
  const json mySheet = {{"name", "我的表"}};
  const std::vector<json> foreign = {
      {{"sheets", {mySheet}}},
      {{"sheets", {{{"name", "参数"}, {"cells", {{"A1", {{"value", "我的参数"}}}}}}, mySheet}}, {"activeSheet", "我的表"}}};
  for (std::size_t i = 0; i < foreign.size(); ++i) {
    Open(foreign[i], "我的" + std::to_string(i) + ".xls");
    const Object mine = ActiveSheet();
    dialog().Text1.setText("12");
    dialog().Command1.ScriptClick();
    dialog().Command2.ScriptClick();
    EXPECT_TRUE(DialogOpen());
    EXPECT_FALSE(Protected(mine)) << i;
    EXPECT_EQ(mine.obj("Range", "A1").get("ColumnWidth").toDouble(), 8.38);
    mine.obj("Range", "A1").put("Value", "仍可编辑");
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ColumnWidthDialog, ASheetUnderAnotherPasswordKeepsItsProtectionAndTheDialogStaysOpen) {
  Object sheet = ActiveSheet();
  sheet.call("Unprotect", workbench::kWorksheetPassword);
  sheet.call("Protect", "其他密码");
  ShowColumnWidthDialog();
  dialog().Text1.setText("12");
  dialog().Command1.ScriptClick();
  dialog().Command2.ScriptClick();
  EXPECT_TRUE(DialogOpen());
  EXPECT_EQ(Width("B"), 8.38);
  sheet.call("Unprotect", "其他密码");  // still under that password
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ColumnWidthDialog, WithExcelGoneTheDialogOpensEmptyAndItsButtonsDoNothing) {
  xl.call("Quit");
  xl = Object();
  ShowColumnWidthDialog();
  EXPECT_EQ(dialog().Text1.Text(), "");
  dialog().Text1.setText("12");
  dialog().Command1.ScriptClick();
  dialog().Command2.ScriptClick();
  EXPECT_TRUE(DialogOpen());
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
