#include "platform/ui/combo_box.h"

#include <QComboBox>
#include <QLineEdit>

#include "platform/ui/basic_controls.h"
#include "platform/ui/event.h"

namespace ui {

ComboBox::ComboBox(Form& form, std::string name) : Control(form, std::move(name), new QComboBox) {
  combo_ = static_cast<QComboBox*>(widget());
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  // Qt picks the item that matches the typed text when editing finishes (Return, leaving the
  // field) and reports it as a choice; typed text is never one here.
  QObject::disconnect(combo_->lineEdit(), &QLineEdit::editingFinished, combo_, nullptr);
  combo_->setCompleter(nullptr);
  QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
    listIndex_ = index;
    Fire(Click);
  });
  QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited, combo_, [this] { listIndex_ = -1; });
}

std::string ComboBox::Text() const { return S(combo_->currentText()); }

void ComboBox::setText(const std::string& text) {
  combo_->lineEdit()->setText(Q(text));
  listIndex_ = -1;
}

// Qt would show the first item added to an empty list in the text field; the text stays.
void ComboBox::AddItem(const std::string& item) {
  const QString text = combo_->lineEdit()->text();
  combo_->addItem(Q(item));
  combo_->lineEdit()->setText(text);
}

void ComboBox::Clear() {
  combo_->clear();
  combo_->lineEdit()->clear();
  listIndex_ = -1;
}

int ComboBox::ListCount() const { return combo_->count(); }

std::string ComboBox::List(int index) const {
  if (index < 0 || index >= combo_->count()) return {};
  return S(combo_->itemText(index));
}

void ComboBox::ScriptType(const std::string& text) {
  if (!Enabled()) throw ScriptError(name() + " is disabled");
  combo_->setFocus();
  combo_->lineEdit()->end(false);
  TypeCharacters(*combo_->lineEdit(), text);
}

void ComboBox::ScriptClear() {
  if (!Enabled()) throw ScriptError(name() + " is disabled");
  combo_->setFocus();
  combo_->lineEdit()->selectAll();
  combo_->lineEdit()->del();
}

void ComboBox::ScriptChoose(int index) {
  if (!Enabled()) throw ScriptError(name() + " is disabled");
  if (index < 0 || index >= combo_->count())
    throw ScriptError(name() + " has no list position " + std::to_string(index));
  combo_->setCurrentIndex(index);
  combo_->setEditText(combo_->itemText(index));
  emit combo_->activated(index);
}

LogEntry ComboBox::Dump() const {
  LogEntry items = LogEntry::array();
  for (int i = 0; i < combo_->count(); ++i) items.push_back(S(combo_->itemText(i)));
  LogEntry state = {{"text", Text()}, {"items", items}, {"position", listIndex_}};
  state.update(Control::Dump());
  return state;
}

}  // namespace ui
