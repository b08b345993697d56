// Enter, the keypad's Enter, Space and Escape in a form, as the platform's forms take them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

namespace ui {
namespace {

class Prompt : public Form {
 public:
  Prompt() : Form("Prompt") {
    Move(1500, 1500, 4800, 1800);
    Text1.Move(120, 120, 3000, 330);
    Command1.setCaption("确定(&O)");
    Command1.Move(120, 900, 1200, 420);
    Command2.setCaption("取消(&N)");
    Command2.Move(1500, 900, 1200, 420);
    Command3.setCaption("帮助(&H)");
    Command3.Move(2880, 900, 1200, 420);
    Command1.Click = [this] { pressed.push_back("Command1"); };
    Command2.Click = [this] { pressed.push_back("Command2"); };
    Command3.Click = [this] { pressed.push_back("Command3"); };
  }
  TextBox Text1{*this, "Text1"};
  CommandButton Command1{*this, "Command1"};
  CommandButton Command2{*this, "Command2"};
  CommandButton Command3{*this, "Command3"};
  std::vector<std::string> pressed;
};

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { form().Show(); }
  void TearDown() override {
    Unload(form());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static Prompt& form() { return Default<Prompt>(); }
  static void Key(QWidget* at, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    at->setFocus();
    QTest::keyClick(at, key, modifiers);
  }
};

TEST_F(KeyboardTest, EnterKeypadEnterAndSpacePressTheFocusedButton) {
  Key(form().Command1.widget(), Qt::Key_Return);
  Key(form().Command2.widget(), Qt::Key_Enter, Qt::KeypadModifier);
  Key(form().Command3.widget(), Qt::Key_Space);
  EXPECT_EQ(form().pressed, (std::vector<std::string>{"Command1", "Command2", "Command3"}));
}

TEST_F(KeyboardTest, WithoutDefaultOrCancelButtonEnterInATextAndEscapeDoNothing) {
  Key(form().Text1.widget(), Qt::Key_Return);
  Key(form().Text1.widget(), Qt::Key_Escape);
  Key(form().Command1.widget(), Qt::Key_Escape);
  Key(form().Command1.widget(), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(form().pressed.empty());
  EXPECT_TRUE(form().Visible());
}

TEST_F(KeyboardTest, EnterElsewherePressesTheDefaultButtonAndEscapeTheCancelButton) {
  form().Command3.setDefault(true);
  form().Command1.setDefault(true);  // one default per form: it moves
  form().Command2.setCancel(true);
  EXPECT_FALSE(form().Command3.Default());
  Key(form().Text1.widget(), Qt::Key_Return);
  Key(form().Text1.widget(), Qt::Key_Enter, Qt::KeypadModifier);
  Key(form().Text1.widget(), Qt::Key_Escape);
  Key(form().Command3.widget(), Qt::Key_Escape);
  Key(form().Command3.widget(), Qt::Key_Return);  // the focused button, not the default
  EXPECT_EQ(form().pressed, (std::vector<std::string>{"Command1", "Command1", "Command2", "Command2", "Command3"}));
}

TEST_F(KeyboardTest, ADisabledOrHiddenDefaultOrCancelButtonIsNotPressed) {
  form().Command1.setDefault(true);
  form().Command2.setCancel(true);
  form().Command1.setEnabled(false);
  form().Command2.setVisible(false);
  Key(form().Text1.widget(), Qt::Key_Return);
  Key(form().Text1.widget(), Qt::Key_Escape);
  EXPECT_TRUE(form().pressed.empty());
}

}  // namespace
}  // namespace ui
