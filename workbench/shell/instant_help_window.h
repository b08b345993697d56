#pragma once
// The instant help window Form2: what the active sheet of the project workbook is for and which
// toolbar functions work on it, from a fixed table of texts.

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

class Form2 : public ui::Form {
 public:
  Form2();

  ui::Frame Frame1{*this, "Frame1"};
  ui::RichTextBox RichTextBox1{*this, "RichTextBox1"};
  ui::Label Label1{*this, "Label1"};

  // For a sheet the table does not know, unloads the window before it is shown and warns.
  void Form_Load() override;
};

// The toolbar's 即时帮助 button (after its marker check) and menu item: shows the window,
// modeless. For a sheet without help only the warning is shown, and the command ends quietly.
void ShowInstantHelp();
