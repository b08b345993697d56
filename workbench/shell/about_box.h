#pragma once
// The about box frmAbout: the program's title and version, the support and product pages, and
// the system information program.

#include <string>

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

class frmAbout : public ui::Form {
 public:
  frmAbout();

  ui::Image picIcon{*this, "picIcon"};
  ui::Label lblTitle{*this, "lblTitle"};
  ui::Label lblVersion{*this, "lblVersion"};
  ui::Label lblDescription{*this, "lblDescription"};
  ui::Label lblDisclaimer{*this, "lblDisclaimer"};
  ui::Label Label1{*this, "Label1"};
  ui::CommandButton cmdOK{*this, "cmdOK"};
  ui::CommandButton cmdSysInfo{*this, "cmdSysInfo"};
  ui::CommandButton Command1{*this, "Command1"};

  void Form_Load() override;
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void Command1_Click();
  void lblDescription_Click();

  // Starts the system information program that the registry names, or says it is not available.
  void StartSysInfo();
  // One string value of the registry, read with read rights only; false and an empty text when
  // the key or the value is not there.
  bool GetKeyValue(const std::string& root, const std::string& keyName, const std::string& valueName,
                   std::string& text);
};

inline constexpr const char* kProgramVersion = "3.1.0";

// The toolbar's 关于...... menu item: shows the about box, modeless.
void ShowAboutBox();
