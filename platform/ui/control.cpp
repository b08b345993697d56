#include "platform/ui/control.h"

#include <QFont>
#include <QPalette>

#include "platform/ui/form.h"

namespace ui {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

Control::Control(Form& form, std::string name, QWidget* widget) : form_(form), name_(std::move(name)), widget_(widget) {
  if (widget_ != nullptr) {
    widget_->setParent(&form_.window());
    widget_->setObjectName(Q(name_));
  }
  form_.AddControl(*this);
}

Control::~Control() {
  form_.RemoveControl(*this);
  delete widget_;  // before the form's window, whose other children may still refer to it
}

bool Control::Enabled() const { return widget_ == nullptr || widget_->isEnabled(); }
void Control::setEnabled(bool enabled) {
  if (widget_ != nullptr) widget_->setEnabled(enabled);
}
// A control is visible as designed even while its form is hidden, as on the home platform.
bool Control::Visible() const { return widget_ == nullptr || !widget_->isHidden(); }
void Control::setVisible(bool visible) {
  if (widget_ != nullptr) widget_->setVisible(visible);
}
void Control::setToolTipText(const std::string& text) {
  if (widget_ != nullptr) widget_->setToolTip(Q(text));
}
void Control::Move(int left, int top, int width, int height) {
  if (widget_ != nullptr) widget_->setGeometry(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}
void Control::setFont(const std::string& family, double points, bool bold) {
  if (widget_ == nullptr) return;
  QFont font(Q(family));
  font.setPointSizeF(points);
  font.setBold(bold);
  widget_->setFont(font);
}
void Control::setForeColor(const QColor& colour) {
  if (widget_ == nullptr) return;
  QPalette palette = widget_->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  palette.setColor(QPalette::ButtonText, colour);
  widget_->setPalette(palette);
}
void Control::setBackColor(const QColor& colour) {
  if (widget_ == nullptr) return;
  QPalette palette = widget_->palette();
  palette.setColor(QPalette::Window, colour);
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Button, colour);
  widget_->setPalette(palette);
  widget_->setAutoFillBackground(opaque_);
}

void Control::Refuse(const char* action) const { throw ScriptError(name_ + " cannot be " + action); }
void Control::ScriptClick() { Refuse("clicked"); }
void Control::ScriptType(const std::string&) { Refuse("typed into"); }
void Control::ScriptChoose(int) { Refuse("chosen from"); }
void Control::ScriptStep(bool) { Refuse("stepped"); }
void Control::ScriptClear() { Refuse("cleared"); }
void Control::ScriptGoTo(int, int) { Refuse("moved to a cell"); }
void Control::ScriptEdit(int, int, const std::string&) { Refuse("edited"); }

LogEntry Control::Dump() const { return {{"enabled", Enabled()}, {"visible", Visible()}}; }

}  // namespace ui
