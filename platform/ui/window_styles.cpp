#include "platform/ui/window_styles.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/standin_log.h"

namespace ui {

namespace {
// Changing the flags of a shown window hides it; it comes back where it was.
void ChangeFlags(QWidget& window, Qt::WindowFlags add) {
  const bool shown = window.isVisible();
  const QRect where = window.geometry();
  window.setWindowFlags(window.windowFlags() | add);
  if (shown) {
    window.setGeometry(where);
    window.show();
  }
}

bool IsBlack(const QColor& colour) { return colour.rgb() == qRgb(0, 0, 0); }
}  // namespace

std::unique_ptr<WindowStyles> WindowStyles::MakeDefault() { return std::make_unique<WindowStyles>(); }

void WindowStyles::SetTopmost(Form& window) {
  ChangeFlags(window.window(), Qt::WindowStaysOnTopHint);
  LogEvent("topmost", {{"form", window.name()}});
}

// Qt has no colour key: black backgrounds stop being painted on a translucent window instead.
void WindowStyles::SetBlackTransparent(Form& window) {
  QWidget& w = window.window();
  w.setAttribute(Qt::WA_TranslucentBackground);
  for (QWidget* part : w.findChildren<QWidget*>()) {
    if (part->autoFillBackground() && IsBlack(part->palette().color(part->backgroundRole())))
      part->setAutoFillBackground(false);
  }
  if (IsBlack(w.palette().color(QPalette::Window))) w.setAutoFillBackground(false);
  ChangeFlags(w, Qt::WindowTransparentForInput);
  LogEvent("black-transparent", {{"form", window.name()}});
}

int ScreenWidth() { return Twips(QGuiApplication::primaryScreen()->geometry().width()); }
int ScreenHeight() { return Twips(QGuiApplication::primaryScreen()->geometry().height()); }

}  // namespace ui
