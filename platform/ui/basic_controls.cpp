#include "platform/ui/basic_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>

#include "platform/ui/event.h"
#include "platform/ui/form.h"

namespace ui {

namespace {
class ClickableLabel : public QLabel {
 public:
  std::function<void()> clicked;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && clicked) clicked();
    QLabel::mouseReleaseEvent(event);
  }
};

void RequireEnabled(const Control& control) {
  if (!control.Enabled()) throw ScriptError(control.name() + " is disabled");
}
}  // namespace

void TypeCharacters(QLineEdit& edit, const std::string& text) {
  const QString characters = Q(text);
  for (qsizetype i = 0; i < characters.size(); ++i) {
    // A surrogate pair is one keystroke.
    const qsizetype length = characters.at(i).isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
    edit.insert(characters.mid(i, length));
    i += length - 1;
  }
}

Label::Label(Form& form, std::string name) : Control(form, std::move(name), new ClickableLabel) {
  label_ = static_cast<QLabel*>(widget());
  label_->setTextFormat(Qt::PlainText);
  // As the platform's labels: the text starts at the top left and wraps at the label's width,
  // Chinese text between any two characters.
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label_->setWordWrap(true);
  static_cast<ClickableLabel*>(label_)->clicked = [this] { Fire(Click); };
}
std::string Label::Caption() const { return S(label_->text()); }
void Label::setCaption(const std::string& caption) { label_->setText(Q(caption)); }
void Label::setBackStyle(BackStyle style) {
  opaque_ = style == BackStyle::Opaque;
  label_->setAutoFillBackground(opaque_);
}
void Label::ScriptClick() { Fire(Click); }
LogEntry Label::Dump() const {
  LogEntry state = {{"caption", Caption()}};
  state.update(Control::Dump());
  return state;
}

TextBox::TextBox(Form& form, std::string name) : Control(form, std::move(name), new QLineEdit) {
  edit_ = static_cast<QLineEdit*>(widget());
  QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] { Fire(Change); });
}
std::string TextBox::Text() const { return S(edit_->text()); }
void TextBox::setText(const std::string& text) { edit_->setText(Q(text)); }
void TextBox::ScriptType(const std::string& text) {
  RequireEnabled(*this);
  edit_->setFocus();
  edit_->end(false);
  TypeCharacters(*edit_, text);
}
// Select all and delete: one change.
void TextBox::ScriptClear() {
  RequireEnabled(*this);
  edit_->setFocus();
  edit_->selectAll();
  edit_->del();
}
LogEntry TextBox::Dump() const {
  LogEntry state = {{"text", Text()}};
  state.update(Control::Dump());
  return state;
}

CommandButton::CommandButton(Form& form, std::string name) : Control(form, std::move(name), new QPushButton) {
  button_ = static_cast<QPushButton*>(widget());
  QObject::connect(button_, &QPushButton::clicked, button_, [this] { Fire(Click); });
}
std::string CommandButton::Caption() const { return S(button_->text()); }
void CommandButton::setCaption(const std::string& caption) { button_->setText(Q(caption)); }
void CommandButton::setFocusFirst() { button_->setFocus(Qt::OtherFocusReason); }
void CommandButton::setDefault(bool isDefault) {
  if (isDefault) ForOtherButtons([](CommandButton& other) { other.setDefault(false); });
  default_ = isDefault;
  button_->setDefault(isDefault);
}
void CommandButton::setCancel(bool isCancel) {
  if (isCancel) ForOtherButtons([](CommandButton& other) { other.cancel_ = false; });
  cancel_ = isCancel;
}
void CommandButton::ForOtherButtons(const std::function<void(CommandButton&)>& action) {
  for (Control* c : form().controls())
    if (auto* other = dynamic_cast<CommandButton*>(c); other != nullptr && other != this) action(*other);
}
bool CommandButton::Press() {
  if (!button_->isEnabled() || !button_->isVisible()) return false;
  button_->click();
  return true;
}
void CommandButton::ScriptClick() {
  RequireEnabled(*this);
  if (!button_->isVisible()) throw ScriptError(name() + " is not visible");
  button_->click();
}
LogEntry CommandButton::Dump() const {
  LogEntry state = {{"caption", Caption()}};
  state.update(Control::Dump());
  return state;
}

Frame::Frame(Form& form, std::string name) : Control(form, std::move(name), new QGroupBox) {
  box_ = static_cast<QGroupBox*>(widget());
}
std::string Frame::Caption() const { return S(box_->title()); }
void Frame::setCaption(const std::string& caption) { box_->setTitle(Q(caption)); }
LogEntry Frame::Dump() const {
  LogEntry state = {{"caption", Caption()}};
  state.update(Control::Dump());
  return state;
}

Image::Image(Form& form, std::string name) : Control(form, std::move(name), new QLabel) {
  label_ = static_cast<QLabel*>(widget());
}
void Image::setPicture(const QPixmap& picture) {
  picture_ = picture;
  label_->setPixmap(picture);
}

RichTextBox::RichTextBox(Form& form, std::string name) : Control(form, std::move(name), new QTextEdit) {
  edit_ = static_cast<QTextEdit*>(widget());
  edit_->setAcceptRichText(false);
}
std::string RichTextBox::Text() const { return S(edit_->toPlainText()); }
void RichTextBox::setText(const std::string& text) { edit_->setPlainText(Q(text)); }
LogEntry RichTextBox::Dump() const {
  LogEntry state = {{"text", Text()}};
  state.update(Control::Dump());
  return state;
}

}  // namespace ui
