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

// Qt has no colour key: on a translucent window, black backgrounds become transparent ones.
void WindowStyles::SetBlackTransparent(Form& window) {
  QWidget& w = window.window();
  w.setAttribute(Qt::WA_TranslucentBackground);
  QList<QWidget*> parts = w.findChildren<QWidget*>();
  parts.prepend(&w);
  for (QWidget* part : parts) {
    QPalette palette = part->palette();
    if (!IsBlack(palette.color(part->backgroundRole()))) continue;
    palette.setColor(part->backgroundRole(), Qt::transparent);
    part->setPalette(palette);
  }
  ChangeFlags(w, Qt::WindowTransparentForInput);
  LogEvent("black-transparent", {{"form", window.name()}});
}

int ScreenWidth() { return Twips(QGuiApplication::primaryScreen()->geometry().width()); }
int ScreenHeight() { return Twips(QGuiApplication::primaryScreen()->geometry().height()); }

}  // namespace ui
