#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/automation/error.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/test_support.h"
#include "platform/ui/toolbar.h"

namespace ui {
namespace {

class Controls : public Form {
 public:
  Controls() : Form("Controls") {
    Combo2.Click = [this] { clicks.push_back(Combo2.ListIndex()); };
    Text2.Change = [this] { changes.push_back(Text2.Text()); };
    UpDown1.Change = [this] { steps.push_back(UpDown1.Value()); };
    计算分析.Click = [this](std::int16_t index) { menuClicks.push_back(index); };
    Toolbar1.ButtonClick = [this](const ToolbarButton& b) { pressed.push_back(b.Key); };
    for (const char* item : {"市场法", "收益法", "成本法"}) Combo2.AddItem(item);
    FDC.AddSubmenu(fangdichan, 0, "项目").Add(计算分析, 1, "市场法计算表").Add(计算分析, 2, "-");
    FDC.Add(计算分析, 3, "收益法计算表", "Ctrl+B");
    Toolbar1.AddButton({"增加计算表", "", "增加计算表", "zengjia"});
    Toolbar1.AddSeparator();
    Toolbar1.AddButton({"帮助", "", "查看帮助文件", "shuoming2"});
  }
  ComboBox Combo2{*this, "Combo2"};
  TextBox Text2{*this, "Text2"};
  UpDown UpDown1{*this, "UpDown1"};
  MenuArray fangdichan{*this, "fangdichan"};
  MenuArray 计算分析{*this, "计算分析"};
  PopupMenu FDC{*this, "FDC"};
  Toolbar Toolbar1{*this, "Toolbar1"};
  CommonDialog CommonDialog1{*this, "CommonDialog1"};

  std::vector<int> clicks, steps;
  std::vector<std::string> changes, pressed;
  std::vector<std::int16_t> menuClicks;
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { form().Show(); }
  void TearDown() override {
    Unload(form());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static Controls& form() { return Default<Controls>(); }
};

TEST_F(ControlsTest, ComboClickFiresOnlyForAChoiceFromTheList) {
  ComboBox& combo = form().Combo2;
  combo.setText("请选择");
  EXPECT_EQ(combo.Text(), "请选择");  // adding items left the text alone
  EXPECT_EQ(combo.ListCount(), 3);
  combo.setText("");
  combo.ScriptType("成本法");  // the text of an item, typed
  QLineEdit* field = static_cast<QComboBox*>(combo.widget())->lineEdit();
  emit field->editingFinished();  // as Return or leaving the field does
  EXPECT_TRUE(form().clicks.empty());
  EXPECT_EQ(combo.ListIndex(), -1);

  combo.ScriptChoose(1);
  EXPECT_EQ(form().clicks, std::vector<int>{1});
  EXPECT_EQ(combo.Text(), "收益法");

  combo.setText("市场法");
  EXPECT_EQ(form().clicks.size(), 1u);
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_THROW(combo.ScriptChoose(3), ScriptError);

  combo.Clear();
  EXPECT_EQ(combo.ListCount(), 0);
  EXPECT_EQ(combo.Text(), "");
  combo.setEnabled(false);
  EXPECT_THROW(combo.ScriptChoose(0), ScriptError);
}

TEST_F(ControlsTest, TextChangeFiresOnEveryKeystrokeAndOnTextSetByCode) {
  form().Text2.ScriptType("1a万");
  EXPECT_EQ(form().changes, (std::vector<std::string>{"1", "1a", "1a万"}));
  auto* edit = static_cast<QLineEdit*>(form().Text2.widget());
  edit->backspace();
  form().Text2.setText("");
  EXPECT_EQ(form().changes, (std::vector<std::string>{"1", "1a", "1a万", "1a", ""}));
}

TEST_F(ControlsTest, UpDownStepsWithinItsRangeAndChangesAfterEveryMove) {
  UpDown& updown = form().UpDown1;
  updown.ScriptStep(true);
  updown.setMax(3);
  updown.setMin(1);
  updown.ScriptStep(true);
  updown.ScriptStep(true);
  updown.ScriptStep(true);  // at the maximum: no move
  EXPECT_EQ(form().steps, (std::vector<int>{1, 2, 3}));
  updown.setMax(2);  // a range below the value pulls it in, silently
  EXPECT_EQ(updown.Value(), 2);
  updown.ScriptStep(false);
  updown.ScriptStep(false);
  EXPECT_EQ(form().steps, (std::vector<int>{1, 2, 3, 1}));
}

TEST_F(ControlsTest, MenuItemsAreAddressedByIndex) {
  Controls& f = form();
  f.计算分析.ScriptChoose(3);
  f.计算分析.ScriptChoose(1);
  EXPECT_EQ(f.menuClicks, (std::vector<std::int16_t>{3, 1}));
  EXPECT_EQ(f.计算分析(3).Shortcut, "Ctrl+B");
  EXPECT_THROW(f.计算分析.ScriptChoose(2), ScriptError);  // a separator
  f.计算分析(1).Visible = false;
  EXPECT_THROW(f.计算分析.ScriptChoose(1), ScriptError);
  EXPECT_THROW(f.计算分析.ScriptChoose(7), ScriptError);
  try {
    f.计算分析(7);
    FAIL();
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), automation::errors::kSubscriptOutOfRange);
  }
  EXPECT_EQ(f.menuClicks.size(), 2u);

  const testing::ScriptedRunScope scripted;
  const testing::CapturedLog log;
  f.FDC.Popup();  // a scripted run only logs the popup
  ASSERT_EQ(log.entries().size(), 1u);
  EXPECT_EQ(log.entries()[0]["menu"], "FDC");
}

TEST_F(ControlsTest, ToolbarHandsOverTheButtonByKey) {
  form().Toolbar1.ScriptPress("帮助");
  form().Toolbar1.ScriptPress("增加计算表");
  EXPECT_EQ(form().pressed, (std::vector<std::string>{"帮助", "增加计算表"}));
  EXPECT_THROW(form().Toolbar1.ScriptPress("帮助 "), ScriptError);  // keys compare exactly
  EXPECT_EQ(form().Toolbar1.Buttons().size(), 2u);
}

TEST_F(ControlsTest, OpenFileDialogCancelRaisesOnlyWithCancelError) {
  EXPECT_EQ(NameFilters("所有文件|*.*|Excel文件|*.xls;*.xlsx;*.xlt;*.xltx"),
            (std::vector<std::string>{"所有文件 (*.*)", "Excel文件 (*.xls *.xlsx *.xlt *.xltx)"}));
  const testing::ScriptedRunScope scripted;
  CommonDialog& dialog = form().CommonDialog1;
  QueueFileAnswer("/data/a.xls");
  dialog.ShowOpen();
  EXPECT_EQ(dialog.FileName, "/data/a.xls");
  dialog.ShowOpen();  // nothing queued: cancel, silently without CancelError
  EXPECT_EQ(dialog.FileName, "/data/a.xls");
  dialog.CancelError = true;
  QueueFileAnswer(std::nullopt);
  try {
    dialog.ShowOpen();
    FAIL();
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), kCancelSelected);
  }
}

}  // namespace
}  // namespace ui
