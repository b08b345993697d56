// Enter and Escape in the workbench's windows with command buttons: Enter (either key) presses
// the focused button; none of these windows has a default or a cancel button, so Enter in a text
// box and Escape press nothing.
#include <gtest/gtest.h>

#include <QTest>

#include "workbench/shell/about_box.h"
#include "workbench/shell/column_width_dialog.h"
#include "workbench/shell/utilities_window.h"
#include "workbench/shell/windows_test_support.h"

namespace {

class WindowKeys : public shell_testing::OfficeTest {
 protected:
  static void Key(ui::Control& control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    control.widget()->setFocus();
    QTest::keyClick(control.widget(), key, modifiers);
  }
  static bool Open(const char* form) { return ui::FindLoadedForm(form) != nullptr; }
};

TEST_F(WindowKeys, ColumnWidthDialog) {
  StartExcel();
  ShowColumnWidthDialog();
  Form3& dialog = ui::Default<Form3>();
  Key(dialog.Text1, Qt::Key_Return);
  Key(dialog.Text1, Qt::Key_Escape);
  Key(dialog.Command1, Qt::Key_Escape);
  EXPECT_TRUE(Open("Form3"));
  Key(dialog.Command3, Qt::Key_Enter, Qt::KeypadModifier);  // 取消(&N)
  EXPECT_FALSE(Open("Form3"));
}

TEST_F(WindowKeys, AboutBox) {
  ShowAboutBox();
  frmAbout& box = ui::Default<frmAbout>();
  Key(box.cmdOK, Qt::Key_Escape);
  EXPECT_TRUE(Open("frmAbout"));
  Key(box.cmdOK, Qt::Key_Return);
  EXPECT_FALSE(Open("frmAbout"));
}

TEST_F(WindowKeys, UtilitiesWindow) {
  ShowUtilitiesWindow();
  实用工具1& window = ui::Default<实用工具1>();
  window.DTPicker1.setValue(QDate(2054, 4, 27));
  Key(window.Text2, Qt::Key_Return);
  Key(window.Command1, Qt::Key_Escape);
  EXPECT_EQ(window.Label4.Caption(), "");
  EXPECT_TRUE(Open("实用工具1"));
  Key(window.Command1, Qt::Key_Return);  // 计算(&Y)
  EXPECT_EQ(window.Label4.Caption(), "40.00");
}

}  // namespace
