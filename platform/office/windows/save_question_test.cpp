// The save question answers once per click with the button's meaning, and is off the screen by
// then: 保存 of a file never saved goes on to a file dialog.

#include "platform/office/windows/save_question.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

#include <vector>

namespace office::windows {
namespace {

TEST(SaveQuestion, EachButtonAnswersWithItsMeaningOnceTheQuestionIsGone) {
  for (const auto& [label, meaning] : {std::pair{"保存", SaveAnswer::Save}, std::pair{"不保存", SaveAnswer::DontSave},
                                       std::pair{"取消", SaveAnswer::Cancel}}) {
    std::vector<SaveAnswer> answers;
    bool shownWhenAnswered = true;
    QPointer<QMessageBox> box;
    box = AskToSaveChanges(nullptr, "Microsoft Excel", "是否保存对“市场法1”的更改？", [&](SaveAnswer answer) {
      answers.push_back(answer);
      shownWhenAnswered = box->isVisible();
    });
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "是否保存对“市场法1”的更改？");
    QAbstractButton* button = SaveQuestionButton(box, label);
    ASSERT_NE(button, nullptr) << label;
    button->click();
    EXPECT_EQ(answers, std::vector{meaning}) << label;
    EXPECT_FALSE(shownWhenAnswered) << label;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull()) << "deleted once answered";
  }
}

}  // namespace
}  // namespace office::windows
