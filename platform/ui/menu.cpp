#include "platform/ui/menu.h"

#include <QCursor>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>

#include "platform/automation/error.h"
#include "platform/ui/event.h"
#include "platform/ui/form.h"
#include "platform/ui/scripted_answers.h"

namespace ui {

namespace {
class LeftButtonMenu : public QMenu {
 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) QMenu::mouseReleaseEvent(event);
  }
};

bool IsSeparator(const MenuItem& item) { return item.Caption == "-"; }
}  // namespace

MenuArray::MenuArray(Form& form, std::string name) : Control(form, std::move(name), nullptr) {}

MenuItem& MenuArray::operator()(int index) {
  const auto it = items_.find(index);
  if (it == items_.end()) automation::Raise(automation::errors::kSubscriptOutOfRange);
  return it->second;
}
const MenuItem& MenuArray::operator()(int index) const { return const_cast<MenuArray&>(*this)(index); }

MenuItem& MenuArray::Define(int index, std::string caption, std::string shortcut) {
  MenuItem& item = items_[index];
  item.Caption = std::move(caption);
  item.Shortcut = std::move(shortcut);
  return item;
}

void MenuArray::ScriptChoose(int index) {
  if (!has(index)) throw ScriptError(name() + " has no element " + std::to_string(index));
  const MenuItem& item = items_.at(index);
  if (!item.Visible) throw ScriptError(name() + "(" + std::to_string(index) + ") is not visible");
  if (IsSeparator(item)) throw ScriptError(name() + "(" + std::to_string(index) + ") is a separator");
  FireClick(index);
}

void MenuArray::FireClick(int index) { Fire(Click, static_cast<std::int16_t>(index)); }

LogEntry MenuArray::Dump() const {
  LogEntry items = LogEntry::array();
  for (const auto& [index, item] : items_)
    items.push_back({{"index", index}, {"caption", item.Caption}, {"visible", item.Visible}});
  return {{"items", items}};
}

MenuLevel& MenuLevel::Add(MenuArray& array, int index, std::string caption, std::string shortcut) {
  array.Define(index, std::move(caption), std::move(shortcut));
  entries_.push_back({&array, index, nullptr});
  return *this;
}

MenuLevel& MenuLevel::AddSubmenu(MenuArray& array, int index, std::string caption) {
  array.Define(index, std::move(caption), {});
  entries_.push_back({&array, index, std::make_unique<MenuLevel>()});
  return *entries_.back().submenu;
}

// Clicks go to the array's handler, which runs on its own form.
void MenuLevel::Fill(QMenu& menu) const {
  for (const Entry& entry : entries_) {
    const MenuItem& item = (*entry.array)(entry.index);
    if (!item.Visible) continue;
    if (IsSeparator(item)) {
      menu.addSeparator();
    } else if (entry.submenu) {
      QMenu* sub = new LeftButtonMenu;
      sub->setTitle(Q(item.Caption));
      sub->setParent(&menu, sub->windowFlags());
      entry.submenu->Fill(*sub);
      menu.addMenu(sub);
    } else {
      QAction* action = menu.addAction(Q(item.Caption));
      if (!item.Shortcut.empty()) {
        action->setShortcut(QKeySequence(Q(item.Shortcut)));
        action->setShortcutContext(Qt::WidgetShortcut);  // shown only; the hot key does the work
        action->setShortcutVisibleInContextMenu(true);
      }
      MenuArray* array = entry.array;
      const auto index = static_cast<std::int16_t>(entry.index);
      QObject::connect(action, &QAction::triggered, &menu, [array, index] { array->FireClick(index); });
    }
  }
}

PopupMenu::PopupMenu(Form& form, std::string name) : Control(form, std::move(name), nullptr) {}

void PopupMenu::Popup() {
  if (ScriptedRun()) {
    LogEvent("popup", {{"form", form().name()}, {"menu", name()}});
    return;
  }
  LeftButtonMenu menu;
  Fill(menu);
  menu.exec(QCursor::pos());
}

}  // namespace ui
