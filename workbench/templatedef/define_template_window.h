#pragma once
// The template definition window 定义模板: with a project workbook active in Excel, opens a
// report template of the program folder in the running Word and inserts at Word's cursor a
// placeholder field for a value chosen by method and display name.

#include "platform/automation/variant.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/form.h"

class 定义模板 : public ui::Form {
 public:
  定义模板();

  ui::Frame Frame1{*this, "Frame1"};
  ui::Label Label2{*this, "Label2"};
  ui::ComboBox Combo1{*this, "Combo1"};
  ui::CommandButton Command1{*this, "Command1"};
  ui::Label Label3{*this, "Label3"};
  ui::ComboBox Combo2{*this, "Combo2"};
  ui::ComboBox Combo3{*this, "Combo3"};
  ui::Label Label4{*this, "Label4"};
  ui::ComboBox Combo4{*this, "Combo4"};
  ui::CommandButton Command2{*this, "Command2"};
  ui::CommandButton Command3{*this, "Command3"};
  ui::Label Label5{*this, "Label5"};

  // Set by the load and by every handler that reads the workbook.
  automation::Object xlApp;
  // Set by the two buttons that act on Word.
  automation::Object wdApp;

  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  void Combo2_Click();
  void Combo3_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
};

namespace workbench {

// The report menu's 自定义报告模版: shows the window, modeless. When its load refuses (no Excel,
// no project workbook), showing fails with "Object was unloaded" and the command ends.
void Show定义模板();

}  // namespace workbench
