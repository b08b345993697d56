#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/ui/program.h"
#include "platform/ui/test_support.h"

namespace ui {
namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramTitle("Qorvane房地产估价系统"); }
};

TEST_F(MessageBoxTest, ScriptedAnswersAndDefaultsAreLoggedAsTheyWere) {
  const testing::ScriptedRunScope scripted;
  const testing::CapturedLog log;
  QueueBoxAnswer(kCancel);
  EXPECT_EQ(MsgBox("本操作将对当前评估表进行保护或者取消保护！  \n\n点“确定”进行保护；", kOkCancel | kInformation,
                   "工作表保护向导"),
            kCancel);
  // Nothing queued: the default button answers (Cancel here, as the delete question has it).
  EXPECT_EQ(MsgBox("删除后将无法恢复，继续删除吗？", kOkCancel | kExclamation | kDefaultButton2, "删除表"), kCancel);
  EXPECT_EQ(MsgBox("此时系统信息不可用"), kOk);
  QueueBoxAnswer(kYes);  // an OK box has no Yes: the script is wrong, the box takes its default
  EXPECT_EQ(MsgBox("列宽范围为0-255个字符.请输入正确的列宽！"), kOk);

  const auto e = log.entries();
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(log.lines()[0],
            R"({"event":"msgbox","program":"ui_test","title":"工作表保护向导","text":"本操作将对当前评估表进行保护或者取消保护！  \n\n点“确定”进行保护；","icon":"information","buttons":"OK/Cancel","default":"OK","answer":"Cancel","scripted":true})");
  EXPECT_EQ(e[1]["default"], "Cancel");
  EXPECT_EQ(e[1]["icon"], "exclamation");
  EXPECT_EQ(e[1]["scripted"], false);
  EXPECT_EQ(e[2]["title"], "Qorvane房地产估价系统");  // no title of its own: the program's
  EXPECT_EQ(e[2]["icon"], "none");
  EXPECT_EQ(e[3]["event"], "script-error");
  EXPECT_EQ(e[4]["answer"], "OK");
  EXPECT_EQ(e[4]["scripted"], false);
}

// A person at a real box: press a key once the box is up, read the answer.
int AnswerWithKey(int style, Qt::Key key, QStringList* buttonTexts = nullptr) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    if (buttonTexts != nullptr)
      for (QAbstractButton* b : box->buttons()) buttonTexts->append(b->text());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(box->focusWidget() != nullptr ? static_cast<QWidget*>(box->focusWidget()) : box, &press);
  });
  return MsgBox("是否继续？", style, "通知");
}

TEST_F(MessageBoxTest, EscapeAnswersCancelOrNoAndEnterTheDefaultButton) {
  QStringList texts;
  EXPECT_EQ(AnswerWithKey(kOkCancel | kInformation, Qt::Key_Escape, &texts), kCancel);
  EXPECT_EQ(texts, (QStringList{"确定", "取消"}));
  texts.clear();
  EXPECT_EQ(AnswerWithKey(kYesNo | kQuestion, Qt::Key_Escape, &texts), kNo);
  EXPECT_EQ(texts, (QStringList{"是", "否"}));
  EXPECT_EQ(AnswerWithKey(kOkOnly, Qt::Key_Escape), kOk);
  EXPECT_EQ(AnswerWithKey(kYesNo | kQuestion, Qt::Key_Return), kYes);
  EXPECT_EQ(AnswerWithKey(kOkCancel | kExclamation | kDefaultButton2, Qt::Key_Return), kCancel);
}

}  // namespace
}  // namespace ui
