#pragma once
// The column width dialog Form3: sets or fits the width of the selected columns of the active
// sheet of a project workbook, whose protection it lifts for that and puts back.

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

class Form3 : public ui::Form {
 public:
  Form3();

  ui::Label Label1{*this, "Label1"};
  ui::TextBox Text1{*this, "Text1"};
  ui::CommandButton Command1{*this, "Command1"};
  ui::CommandButton Command2{*this, "Command2"};
  ui::CommandButton Command3{*this, "Command3"};

  void Form_Initialize() override;
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
};

// The toolbar's 调整列宽 button and menu item, after their own marker check: shows the dialog,
// modeless.
void ShowColumnWidthDialog();
