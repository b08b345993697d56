#pragma once
// The utilities window 实用工具1: a money amount in capitals, and the term in years between the
// valuation date and a start or end date. It touches neither Excel nor Word.

#include "platform/ui/basic_controls.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/form.h"

class 实用工具1 : public ui::Form {
 public:
  实用工具1();

  ui::Frame Frame2{*this, "Frame2"};
  ui::Label Label5{*this, "Label5"};
  ui::TextBox Text2{*this, "Text2"};
  ui::Label Label6{*this, "Label6"};
  ui::TextBox Text1{*this, "Text1"};
  ui::Frame Frame1{*this, "Frame1"};
  ui::Label Label1{*this, "Label1"};
  ui::DatePicker DTPicker1{*this, "DTPicker1"};
  ui::Label Label2{*this, "Label2"};
  ui::DatePicker DTPicker2{*this, "DTPicker2"};
  ui::Label Label3{*this, "Label3"};
  ui::Label Label4{*this, "Label4"};
  ui::CommandButton Command1{*this, "Command1"};

  void Text2_Change();
  void Command1_Click();
};

// The toolbar's 实用工具 menu item: shows the window, modeless.
void ShowUtilitiesWindow();
