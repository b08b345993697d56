#include "platform/ui/text_fit.h"

#include <climits>
#include <optional>

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
// wider than the label) is not drawn. Measured without the vertical alignment: centred in the
// unbounded height, the text would come out a pixel taller than it is.
bool LabelFits(const QLabel& label) {
  const QRect room = label.contentsRect();
  const int flags = static_cast<int>(label.alignment() & Qt::AlignHorizontal_Mask) | (label.wordWrap() ? Qt::TextWordWrap : 0);
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

// The widget's text when it is cut; nothing when it is whole or the widget shows no text.
std::optional<QString> CutText(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return LabelFits(*label) ? std::nullopt : std::optional(label->text());
  if (const auto* button = qobject_cast<const QPushButton*>(&widget))
    return ButtonFits(*button) ? std::nullopt : std::optional(button->text());
  if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) return FrameFits(*box) ? std::nullopt : std::optional(box->title());
  if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) return LineFits(*line) ? std::nullopt : std::optional(line->text());
  if (const auto* edit = qobject_cast<const QTextEdit*>(&widget))
    return TextFits(*edit) ? std::nullopt : std::optional(edit->toPlainText());
  return std::nullopt;
}

}  // namespace

std::vector<std::string> CutTexts(const Form& form) {
  std::vector<std::string> cut;
  for (const Control* control : form.controls()) {
    const QWidget* widget = control->widget();
    if (widget == nullptr || widget->isHidden()) continue;
    if (const auto text = CutText(*widget)) cut.push_back(control->name() + ": " + S(*text));
  }
  return cut;
}

std::vector<std::string> CutTexts(const QWidget& window) {
  std::vector<std::string> cut;
  for (const QWidget* widget : window.findChildren<QWidget*>())
    if (widget->isVisibleTo(&window))
      if (const auto text = CutText(*widget)) cut.push_back(S(widget->objectName()) + ": " + S(*text));
  return cut;
}

}  // namespace ui
