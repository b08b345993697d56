#pragma once
// Menus: items are elements of control arrays addressed by index, and a click hands the index
// over. A popup menu lays out elements of any arrays, with submenus; it is never a menu-bar entry
// and opens at the pointer, its items answering the left mouse button only.
//
//   FDC.AddSubmenu(fangdichan, 0, "项目       ").Add(xj1, 1, "新建市场法与收益法项目表");  // a submenu
//   FDC.Add(fangdichan, 1, "-");                                  // a separator
//   xj1.Click = [this](std::int16_t index) { xj1_Click(index); };

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"

class QMenu;

namespace ui {

struct MenuItem {
  std::string Caption;  // "-" makes a separator
  std::string Shortcut;  // shown beside the caption, e.g. "Ctrl+B"
  bool Visible = true;
};

class MenuArray : public Control {
 public:
  MenuArray(Form& form, std::string name);
  // The element at an index; Subscript out of range (9) when the array has none there.
  MenuItem& operator()(int index);
  const MenuItem& operator()(int index) const;
  bool has(int index) const { return items_.count(index) != 0; }
  void ScriptChoose(int index) override;
  LogEntry Dump() const override;

  std::function<void(std::int16_t)> Click;

 private:
  friend class MenuLevel;
  MenuItem& Define(int index, std::string caption, std::string shortcut);
  void FireClick(int index);
  std::map<int, MenuItem> items_;
};

// The items of a popup menu or of one of its submenus, in order.
class MenuLevel {
 public:
  MenuLevel& Add(MenuArray& array, int index, std::string caption, std::string shortcut = {});
  // A submenu item; its own items are added to the level returned.
  MenuLevel& AddSubmenu(MenuArray& array, int index, std::string caption);

 protected:
  void Fill(QMenu& menu) const;

 private:
  struct Entry {
    MenuArray* array;
    int index;
    std::unique_ptr<MenuLevel> submenu;
  };
  std::vector<Entry> entries_;
};

class PopupMenu : public Control, public MenuLevel {
 public:
  PopupMenu(Form& form, std::string name);
  // Opens at the pointer and returns once the menu is closed. In a scripted run the menu is only
  // logged: the script picks its items with "menu" lines.
  void Popup();
};

}  // namespace ui
