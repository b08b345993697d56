#pragma once
// The common controls beyond the toolbar: status bar, date picker, up-down.

#include <functional>
#include <string>
#include <vector>

#include <QDate>

#include "platform/ui/control.h"

class QDateEdit;
class QLabel;
class QStatusBar;

namespace ui {

// Panels are numbered from 1.
class StatusBar : public Control {
 public:
  StatusBar(Form& form, std::string name, int panels = 1);
  std::string PanelText(int panel) const;
  void setPanelText(int panel, const std::string& text);
  LogEntry Dump() const override;

 private:
  QLabel& Panel(int panel) const;  // Subscript out of range (9) beyond the last
  QStatusBar* bar_;
  std::vector<QLabel*> panels_;
};

class DatePicker : public Control {
 public:
  DatePicker(Form& form, std::string name);
  QDate Value() const;
  void setValue(const QDate& date);
  void setMinDate(const QDate& date);
  void setMaxDate(const QDate& date);
  LogEntry Dump() const override;

 private:
  QDateEdit* edit_;
};

// Two arrows that step a value between a minimum and a maximum; Change runs after every step
// that moves the value. A range set by code pulls the value inside it without a Change.
class UpDown : public Control {
 public:
  UpDown(Form& form, std::string name);
  int Value() const { return value_; }
  void setValue(int value);
  int Min() const { return min_; }
  void setMin(int min);
  int Max() const { return max_; }
  void setMax(int max);
  void setIncrement(int increment) { increment_ = increment; }
  void Step(bool up);
  void ScriptStep(bool up) override;
  LogEntry Dump() const override;

  std::function<void()> Change;

 private:
  int Clamped(int value) const;
  int value_ = 0, min_ = 0, max_ = 10, increment_ = 1;
};

}  // namespace ui
