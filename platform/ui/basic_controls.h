#pragma once
// The plain controls: label, text box, command button, frame, image, rich text box.

#include <functional>
#include <string>

#include <QPixmap>

#include "platform/ui/control.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace ui {

enum class BackStyle { Transparent, Opaque };

class Label : public Control {
 public:
  Label(Form& form, std::string name);
  std::string Caption() const;
  void setCaption(const std::string& caption);
  void setBackStyle(BackStyle style);
  // A caption longer than the label is wide goes on in further lines.
  void ScriptClick() override;
  LogEntry Dump() const override;

  std::function<void()> Click;

 private:
  QLabel* label_;
};

// Change runs on every edit: each keystroke, paste or deletion, and text set by code.
class TextBox : public Control {
 public:
  TextBox(Form& form, std::string name);
  std::string Text() const;
  void setText(const std::string& text);
  void ScriptType(const std::string& text) override;
  void ScriptClear() override;
  LogEntry Dump() const override;

  std::function<void()> Change;

 private:
  QLineEdit* edit_;
};

// The caption's "&" marks the access key.
class CommandButton : public Control {
 public:
  CommandButton(Form& form, std::string name);
  std::string Caption() const;
  void setCaption(const std::string& caption);
  // The control that has the focus when its form is first shown.
  void setFocusFirst();
  // Enter in another control of the form presses the default button, Escape the cancel button.
  // A form has at most one of each: making a button the default takes it from the others.
  bool Default() const { return default_; }
  void setDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void setCancel(bool isCancel);
  // A click from the keyboard, taken only while the button could be clicked; false when not.
  bool Press();
  void ScriptClick() override;
  LogEntry Dump() const override;

  std::function<void()> Click;

 private:
  void ForOtherButtons(const std::function<void(CommandButton&)>& action);
  QPushButton* button_;
  bool default_ = false;
  bool cancel_ = false;
};

class Frame : public Control {
 public:
  Frame(Form& form, std::string name);
  std::string Caption() const;
  void setCaption(const std::string& caption);
  LogEntry Dump() const override;

 private:
  QGroupBox* box_;
};

class Image : public Control {
 public:
  Image(Form& form, std::string name);
  const QPixmap& Picture() const { return picture_; }
  void setPicture(const QPixmap& picture);

 private:
  QLabel* label_;
  QPixmap picture_;
};

// Holds plain text only: lines are joined by line feeds.
class RichTextBox : public Control {
 public:
  RichTextBox(Form& form, std::string name);
  std::string Text() const;
  void setText(const std::string& text);
  LogEntry Dump() const override;

 private:
  QTextEdit* edit_;
};

// Types text one character at a time, as keystrokes would arrive.
void TypeCharacters(QLineEdit& edit, const std::string& text);

}  // namespace ui
