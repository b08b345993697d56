#pragma once
// The question Word and Excel ask before a changed file closes: 保存 / 不保存 / 取消.

#include <QString>

#include <functional>
#include <string_view>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace office::windows {

enum class SaveAnswer { Save, DontSave, Cancel };

// Shown over the file's window, which it keeps from input until answered, and deleted once
// answered. Its buttons are named save, dontSave and cancel.
QMessageBox* AskToSaveChanges(QWidget* window, const QString& application, const QString& question,
                              std::function<void(SaveAnswer)> answered);

// The button labelled so, without its accelerator ("保存" for "保存(&S)"); nullptr when none is.
QAbstractButton* SaveQuestionButton(QMessageBox* question, std::string_view label);

}  // namespace office::windows
