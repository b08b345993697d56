#include "platform/office/windows/save_question.h"

#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace office::windows {

QMessageBox* AskToSaveChanges(QWidget* window, const QString& application, const QString& question,
                              std::function<void(SaveAnswer)> answered) {
  auto* box = new QMessageBox(QMessageBox::Warning, application, question, QMessageBox::NoButton, window);
  box->setObjectName(QStringLiteral("saveQuestion"));
  QPushButton* save = box->addButton(QStringLiteral("保存(&S)"), QMessageBox::AcceptRole);
  save->setObjectName(QStringLiteral("save"));
  QPushButton* dontSave = box->addButton(QStringLiteral("不保存(&N)"), QMessageBox::DestructiveRole);
  dontSave->setObjectName(QStringLiteral("dontSave"));
  QPushButton* cancel = box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  box->setDefaultButton(save);
  box->setEscapeButton(cancel);
  box->setWindowModality(Qt::WindowModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  // Gone from the screen before the answer is carried out: 保存 may open a file dialog.
  QObject::connect(box, &QMessageBox::buttonClicked, box, [=, answered = std::move(answered)](QAbstractButton* b) {
    box->hide();
    answered(b == save ? SaveAnswer::Save : b == dontSave ? SaveAnswer::DontSave : SaveAnswer::Cancel);
  });
  box->open();
  return box;
}

QAbstractButton* SaveQuestionButton(QMessageBox* question, std::string_view label) {
  for (QAbstractButton* b : question->buttons()) {
    QString text = b->text();
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    if (text.toStdString() == label) return b;
  }
  return nullptr;
}

}  // namespace office::windows
