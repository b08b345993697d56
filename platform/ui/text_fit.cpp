#include "platform/ui/text_fit.h"

#include <climits>

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/ui/control.h"
#include "platform/ui/form.h"

namespace ui {

namespace {

// A wrapping label lays its text out over its width; what needs more height (or a word that is
// wider than the label) is not drawn.
bool LabelFits(const QLabel& label) {
  const QRect room = label.contentsRect();
  const int flags = static_cast<int>(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
  const QRect needed = label.fontMetrics().boundingRect(QRect(0, 0, room.width(), INT_MAX), flags, label.text());
  return needed.width() <= room.width() && needed.height() <= room.height();
}

// The caption on one line, without the access key's marker, between the button's margins.
bool ButtonFits(const QPushButton& button) {
  QString text = button.text();
  text.replace("&&", "\x01").remove('&').replace("\x01", "&");
  const int margin = button.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
  const QFontMetrics metrics = button.fontMetrics();
  return metrics.horizontalAdvance(text) + 2 * margin <= button.width() && metrics.height() + margin <= button.height();
}

bool FrameFits(const QGroupBox& box) {
  const int margin = box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &box);
  return box.fontMetrics().horizontalAdvance(box.title()) + 2 * margin <= box.width();
}

// A text box scrolls its text; what lies outside its box is not read without scrolling.
bool LineFits(const QLineEdit& edit) {
  constexpr int kInnerMargin = 2;  // Qt's, on either side of the text
  const int frame = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit) : 0;
  return edit.fontMetrics().horizontalAdvance(edit.text()) + 2 * (frame + kInnerMargin) <= edit.width();
}

// Laid out at the box's width (as it is drawn); lines below its height need the scroll bar.
bool TextFits(const QTextEdit& edit) {
  return edit.document()->size().height() <= edit.viewport()->height();
}

}  // namespace

std::vector<std::string> CutTexts(const Form& form) {
  std::vector<std::string> cut;
  for (const Control* control : form.controls()) {
    const QWidget* widget = control->widget();
    if (widget == nullptr || widget->isHidden()) continue;
    QString text;
    bool fits = true;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      text = label->text();
      fits = LabelFits(*label);
    } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
      text = button->text();
      fits = ButtonFits(*button);
    } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
      text = box->title();
      fits = FrameFits(*box);
    } else if (const auto* line = qobject_cast<const QLineEdit*>(widget)) {
      text = line->text();
      fits = LineFits(*line);
    } else if (const auto* edit = qobject_cast<const QTextEdit*>(widget)) {
      text = edit->toPlainText();
      fits = TextFits(*edit);
    }
    if (!fits) cut.push_back(control->name() + ": " + S(text));
  }
  return cut;
}

}  // namespace ui
