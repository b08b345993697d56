#pragma once
// What every control of a form shares: its name (the widget's object name), the form that owns
// it, the common properties, and what a scripted run may do with it.

#include <functional>
#include <stdexcept>
#include <string>

#include <QColor>
#include <QWidget>

#include "platform/ui/event.h"
#include "platform/ui/standin_log.h"

namespace ui {

class Form;

// A script line that the control cannot perform; the script logs the reason.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Twips are the forms' unit: 15 twips are one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;
inline int Pixels(int twips) { return twips / kTwipsPerPixel; }
inline int Twips(int pixels) { return pixels * kTwipsPerPixel; }

class Control {
 public:
  // The control's widget becomes a child of the form's window; widget-less controls pass none.
  Control(Form& form, std::string name, QWidget* widget);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  Form& form() const { return form_; }
  QWidget* widget() const { return widget_; }

  bool Enabled() const;
  void setEnabled(bool enabled);
  bool Visible() const;
  void setVisible(bool visible);
  void setToolTipText(const std::string& text);
  void Move(int left, int top, int width, int height);  // twips, within the form's client area
  void setFont(const std::string& family, double points, bool bold);
  void setForeColor(const QColor& colour);
  void setBackColor(const QColor& colour);

  // Script lines; each control accepts the ones that make sense for it.
  virtual void ScriptClick();
  virtual void ScriptType(const std::string& text);
  virtual void ScriptChoose(int index);
  virtual void ScriptStep(bool up);
  virtual void ScriptClear();
  // A grid's cell, row and column counted from 1.
  virtual void ScriptGoTo(int row, int column);
  virtual void ScriptEdit(int row, int column, const std::string& text);
  // The state a dump line shows; controls add their own properties to the common ones.
  virtual LogEntry Dump() const;

 protected:
  [[noreturn]] void Refuse(const char* action) const;
  bool opaque_ = true;  // a transparent background shows no back colour
  // Runs one of the control's event handlers, when one is connected.
  template <class... A>
  void Fire(const std::function<void(A...)>& handler, A... args) const {
    if (handler) RunEvent(form_, [&] { handler(args...); });
  }

 private:
  Form& form_;
  std::string name_;
  QWidget* widget_;
};

// Qt text from the system's UTF-8 text and back.
QString Q(const std::string& text);
std::string S(const QString& text);

}  // namespace ui
