#include "platform/ui/window_placement.h"

#include <QStyle>
#include <QWidget>

#include "platform/ui/form.h"

namespace ui {

namespace {

constexpr int kGap = 8;  // pixels between the topmost window's frame and the title bar below it

bool Topmost(const QWidget& window) { return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

// The frame's height above the client area: known once the window system has framed the window,
// the style's title bar before that.
int TitleBarHeight(const QWidget& window) {
  const int framed = window.geometry().top() - window.frameGeometry().top();
  return framed > 0 ? framed : window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
}

}  // namespace

void PlaceClearOfTopmost(Form& form) {
  QWidget& window = form.window();
  if (Topmost(window)) return;
  const int titleBar = TitleBarHeight(window);
  const int firstLine = 2 * window.fontMetrics().height();  // the line and the margin above it
  // Each move goes down, past one more window: the loop ends.
  for (bool moved = true; moved;) {
    moved = false;
    for (const Form* other : LoadedForms()) {
      const QWidget& above = other->window();
      if (other == &form || !above.isVisible() || !Topmost(above)) continue;
      const QRect client = window.geometry();
      const QRect band(client.left(), client.top() - titleBar, client.width(), titleBar + firstLine);
      const QRect covered = above.frameGeometry();
      if (!band.intersects(covered)) continue;
      window.setGeometry(client.translated(0, covered.bottom() + 1 + kGap + titleBar - client.top()));
      moved = true;
    }
  }
}

}  // namespace ui
