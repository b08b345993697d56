#include "platform/ui/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/ui/basic_controls.h"
#include "platform/ui/control.h"
#include "platform/ui/event.h"
#include "platform/ui/form.h"

namespace ui {

namespace {

int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
  }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? kShiftMask : 0) | (modifiers & Qt::ControlModifier ? kCtrlMask : 0) |
         (modifiers & Qt::AltModifier ? kAltMask : 0);
}

// The button a key presses, as on the platform: Enter (either key) the focused command button, or
// else the form's default button; Escape the cancel button. Keys that a control keeps for itself
// (Enter in a text of several lines) never come here.
CommandButton* ButtonForKey(const Form& form, const QKeyEvent& key) {
  if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return nullptr;
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  const bool escape = key.key() == Qt::Key_Escape;
  if (!enter && !escape) return nullptr;
  CommandButton* chosen = nullptr;
  for (Control* control : form.controls()) {
    auto* button = dynamic_cast<CommandButton*>(control);
    if (button == nullptr) continue;
    if (enter && form.window().focusWidget() == button->widget()) return button;
    if (enter ? button->Default() : button->Cancel()) chosen = button;
  }
  return chosen;
}

}  // namespace

FormWindow::FormWindow(Form& form) : form_(form) { setObjectName(Q(form.name())); }

// A form that is no longer loaded (hidden, its instance about to go) answers no events.
bool FormWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && form_.loaded()) RunEvent([&] { form_.Form_Activate(); });
  return QWidget::event(event);
}

// The frame's close button asks the form, which may refuse.
void FormWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (form_.loaded()) RunEvent([&] { Unload(form_, UnloadMode::ControlMenu); });
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  CommandButton* button = form_.loaded() ? ButtonForKey(form_, *event) : nullptr;
  if (button == nullptr || !button->Press()) QWidget::keyPressEvent(event);
}

// Only over the form's own surface: a release that a control let pass is not the form's.
void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (!form_.loaded() || childAt(at.toPoint()) != nullptr) return;
  const int button = ButtonCode(event->button());
  const int shift = ShiftCode(event->modifiers());
  RunEvent([&] {
    form_.Form_MouseUp(button, shift, static_cast<float>(Twips(1) * at.x()), static_cast<float>(Twips(1) * at.y()));
  });
}

}  // namespace ui
