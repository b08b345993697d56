#include "workbench/shell/about_box.h"

#include <filesystem>
#include <optional>

#include <QApplication>
#include <QIcon>

#include "platform/ui/desktop.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"
#include "platform/ui/registry.h"
#include "platform/ui/services.h"

namespace {

// This build has no web pages to point to.
constexpr const char* kSupportAddress = "";
constexpr const char* kProductAddress = "";

constexpr const char* kMachineRoot = "HKEY_LOCAL_MACHINE";

}  // namespace

frmAbout::frmAbout() : Form("frmAbout") {
  setCaption("关于 Qorvane评估");
  setBorderStyle(ui::BorderStyle::FixedDialog);
  Move(3000, 2400, 6180, 3840);
  picIcon.Move(240, 240, 720, 720);
  lblTitle.Move(1140, 240, 4800, 480);
  lblTitle.setFont("Noto Sans CJK SC", 14, true);
  lblVersion.Move(1140, 780, 4800, 300);
  lblDescription.Move(1140, 1140, 4800, 600);
  lblDescription.setCaption("项目表、计算表与估价报告的编制工具。");
  lblDescription.setToolTipText("单击查看最新版本");
  Label1.Move(1140, 1800, 4800, 300);
  Label1.setCaption("Qorvane房地产估价系统 版权所有");
  lblDisclaimer.Move(240, 2280, 3960, 1320);
  lblDisclaimer.setCaption(
      "本系统的计算结果须经估价人员审核后方可使用。未经许可，不得复制或分发Qorvane房地产估价系统的全部或部分内容。");
  cmdOK.setCaption("确定");
  cmdOK.Move(4440, 2280, 1500, 420);
  cmdSysInfo.setCaption("系统信息(&S)");
  cmdSysInfo.Move(4440, 2760, 1500, 420);
  Command1.setCaption("技术支持(&T)");
  Command1.Move(4440, 3240, 1500, 420);

  cmdOK.Click = [this] { cmdOK_Click(); };
  cmdSysInfo.Click = [this] { cmdSysInfo_Click(); };
  Command1.Click = [this] { Command1_Click(); };
  lblDescription.Click = [this] { lblDescription_Click(); };
}

void frmAbout::Form_Load() {
  picIcon.setPicture(QApplication::windowIcon().pixmap(48, 48));
  lblVersion.setCaption(std::string("版本 ") + kProgramVersion);
  lblTitle.setCaption(ui::ProgramTitle());
  lblDescription.setBackStyle(ui::BackStyle::Transparent);
}

void frmAbout::cmdOK_Click() { ui::Unload(*this); }
void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }
void frmAbout::Command1_Click() { ui::Use<ui::Desktop>().Open(kSupportAddress); }
void frmAbout::lblDescription_Click() { ui::Use<ui::Desktop>().Open(kProductAddress); }

void frmAbout::StartSysInfo() {
  std::string path;
  if (!GetKeyValue(kMachineRoot, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
    std::string folder;
    if (GetKeyValue(kMachineRoot, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder)) {
      const std::filesystem::path program = std::filesystem::path(folder) / "MSINFO32.EXE";
      std::error_code error;
      if (std::filesystem::is_regular_file(program, error)) path = program.string();
    }
  }
  if (path.empty() || !ui::Use<ui::Desktop>().Start(path)) ui::MsgBox("此时系统信息不可用", ui::kOkOnly);
}

bool frmAbout::GetKeyValue(const std::string& root, const std::string& keyName, const std::string& valueName,
                           std::string& text) {
  const std::optional<std::string> value = ui::Use<ui::Registry>().ReadString(root, keyName, valueName);
  text = value.value_or(std::string());
  return value.has_value();
}

void ShowAboutBox() { ui::Default<frmAbout>().Show(); }
