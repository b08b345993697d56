#pragma once
// A combo box with an editable text field above its list. Its Click event answers only a choice
// from the list, never typed text nor text set by code.

#include <functional>
#include <string>

#include "platform/ui/control.h"

class QComboBox;

namespace ui {

class ComboBox : public Control {
 public:
  ComboBox(Form& form, std::string name);

  std::string Text() const;
  void setText(const std::string& text);
  void AddItem(const std::string& item);
  void Clear();
  int ListCount() const;
  std::string List(int index) const;
  // The position of the last choice from the list; -1 once the text is typed or set by code.
  int ListIndex() const { return listIndex_; }

  void ScriptType(const std::string& text) override;
  void ScriptChoose(int index) override;
  void ScriptClear() override;
  LogEntry Dump() const override;

  std::function<void()> Click;

 private:
  QComboBox* combo_;
  int listIndex_ = -1;
};

}  // namespace ui
