#include "platform/ui/form_window.h"

#include <QCloseEvent>
#include <QMouseEvent>

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
