#pragma once
// Refrella's two windows: the prompt at start and the wait window during the fill.

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

namespace refrella {

class Form2 : public ui::Form {
 public:
  Form2();
  ui::Label Label1{*this, "Label1"};
  ui::CommandButton Command1{*this, "Command1"};
  ui::CommandButton Command2{*this, "Command2"};
  void Command1_Click();
  void Command2_Click();
};

class Form3 : public ui::Form {
 public:
  Form3();
  ui::Label Label1{*this, "Label1"};
  void Form_Load() override;
  void DoTheStuff();
};

void RunMarketIncomeRefresh();

}  // namespace refrella
