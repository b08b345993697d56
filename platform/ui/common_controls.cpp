#include "platform/ui/common_controls.h"

#include <algorithm>

#include <QDateEdit>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/automation/error.h"
#include "platform/ui/event.h"

namespace ui {

StatusBar::StatusBar(Form& form, std::string name, int panels) : Control(form, std::move(name), new QStatusBar) {
  bar_ = static_cast<QStatusBar*>(widget());
  bar_->setSizeGripEnabled(false);
  for (int i = 0; i < panels; ++i) {
    panels_.push_back(new QLabel);
    bar_->addWidget(panels_.back(), 1);
  }
}

QLabel& StatusBar::Panel(int panel) const {
  if (panel < 1 || panel > static_cast<int>(panels_.size())) automation::Raise(automation::errors::kSubscriptOutOfRange);
  return *panels_[static_cast<std::size_t>(panel - 1)];
}
std::string StatusBar::PanelText(int panel) const { return S(Panel(panel).text()); }
void StatusBar::setPanelText(int panel, const std::string& text) { Panel(panel).setText(Q(text)); }

LogEntry StatusBar::Dump() const {
  LogEntry items = LogEntry::array();
  for (const QLabel* panel : panels_) items.push_back(S(panel->text()));
  LogEntry state = {{"items", items}};
  state.update(Control::Dump());
  return state;
}

DatePicker::DatePicker(Form& form, std::string name) : Control(form, std::move(name), new QDateEdit) {
  edit_ = static_cast<QDateEdit*>(widget());
  edit_->setCalendarPopup(true);
  edit_->setDisplayFormat("yyyy-MM-dd");
}
QDate DatePicker::Value() const { return edit_->date(); }
void DatePicker::setValue(const QDate& date) { edit_->setDate(date); }
void DatePicker::setMinDate(const QDate& date) { edit_->setMinimumDate(date); }
void DatePicker::setMaxDate(const QDate& date) { edit_->setMaximumDate(date); }
LogEntry DatePicker::Dump() const {
  LogEntry state = {{"text", S(Value().toString(Qt::ISODate))}};
  state.update(Control::Dump());
  return state;
}

UpDown::UpDown(Form& form, std::string name) : Control(form, std::move(name), new QWidget) {
  auto* layout = new QVBoxLayout(widget());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const bool up : {true, false}) {
    auto* arrow = new QToolButton;
    arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    arrow->setAutoRepeat(true);
    layout->addWidget(arrow);
    QObject::connect(arrow, &QToolButton::clicked, arrow, [this, up] { Step(up); });
  }
}

int UpDown::Clamped(int value) const { return std::clamp(value, std::min(min_, max_), std::max(min_, max_)); }

void UpDown::setValue(int value) { value_ = Clamped(value); }
void UpDown::setMin(int min) {
  min_ = min;
  value_ = Clamped(value_);
}
void UpDown::setMax(int max) {
  max_ = max;
  value_ = Clamped(value_);
}

void UpDown::Step(bool up) {
  const int next = Clamped(up ? value_ + increment_ : value_ - increment_);
  if (next == value_) return;
  value_ = next;
  Fire(Change);
}

void UpDown::ScriptStep(bool up) {
  if (!Enabled()) throw ScriptError(name() + " is disabled");
  Step(up);
}

LogEntry UpDown::Dump() const {
  LogEntry state = {{"text", std::to_string(value_)}};
  state.update(Control::Dump());
  return state;
}

}  // namespace ui
