// A small program for the scripted-run test: one window of each kind of control, built as the
// system's programs are (a toolbar window whose load handler runs the hot-key loop, a second
// window whose activation runs the wheel loop, a quit question).

#include <string>

#include "platform/automation/error_modes.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/desktop.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"
#include "platform/ui/hot_keys.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/program.h"
#include "platform/ui/services.h"
#include "platform/ui/toolbar.h"
#include "platform/ui/window_styles.h"

namespace {

class Form2 : public ui::Form {
 public:
  Form2() : Form("Form2") {
    setCaption("滚轮");
    Move(3000, 3000, 3000, 2000);
    List1.Move(120, 120, 2400, 1200);
    Label1.Move(120, 1500, 2400, 300);
  }
  ui::RichTextBox List1{*this, "List1"};
  ui::Label Label1{*this, "Label1"};

  void Form_Activate() override {
    ui::RunWheelLoop(*List1.widget(), stop_, [this](int distance) {
      row_ += distance < 0 ? 1 : -1;
      Label1.setCaption(std::to_string(row_));
    });
  }
  void Form_Unload(int&) override { stop_ = true; }

 private:
  bool stop_ = false;
  int row_ = 0;
};

class Form1 : public ui::Form {
 public:
  Form1() : Form("Form1") {
    setCaption("界面示例");
    setBorderStyle(ui::BorderStyle::FixedToolWindow);
    Move(1500, 1500, 6000, 3600);
    Label1.Move(120, 120, 3000, 300);
    Text1.Move(120, 480, 2000, 300);
    Combo1.Move(2200, 480, 2000, 300);
    Command1.Move(120, 900, 1200, 400);
    Command1.setCaption("打开(&O)");
    Toolbar1.Move(0, 1500, 6000, 600);
    UpDown1.Move(4400, 480, 300, 500);
    for (const char* item : {"甲", "乙", "丙"}) Combo1.AddItem(item);
    Combo1.setText("请选择");
    ImageList1.Add("open", {});
    Toolbar1.setImageList(ImageList1);
    Toolbar1.AddButton({"open", "打开", "打开文件", "open"});
    Toolbar1.AddSeparator();
    Toolbar1.AddButton({"menu", "菜单", "主菜单", ""});
    mnuPopup.Add(mnuFile, 1, "询问");
    mnuPopup.Add(mnuFile, 2, "启动程序");
    CommonDialog1.Filter = "所有文件|*.*|Excel文件|*.xls;*.xlsx";
    CommonDialog1.FilterIndex = 2;
    CommonDialog1.CancelError = true;

    Text1.Change = [this] { Text1_Change(); };
    Combo1.Click = [this] { Combo1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Toolbar1.ButtonClick = [this](const ui::ToolbarButton& button) { Toolbar1_ButtonClick(button); };
    mnuFile.Click = [this](std::int16_t index) { mnuFile_Click(index); };
    UpDown1.Change = [this] { Label1.setCaption(std::to_string(UpDown1.Value())); };
  }

  ui::Label Label1{*this, "Label1"};
  ui::TextBox Text1{*this, "Text1"};
  ui::ComboBox Combo1{*this, "Combo1"};
  ui::CommandButton Command1{*this, "Command1"};
  ui::ImageList ImageList1{*this, "ImageList1"};
  ui::Toolbar Toolbar1{*this, "Toolbar1"};
  ui::UpDown UpDown1{*this, "UpDown1"};
  ui::CommonDialog CommonDialog1{*this, "CommonDialog1"};
  ui::MenuArray mnuFile{*this, "mnuFile"};
  ui::PopupMenu mnuPopup{*this, "mnuPopup"};

  void Form_Load() override {
    ui::Use<ui::WindowStyles>().SetTopmost(*this);
    ui::Use<ui::HotKeys>().Register(*this, 49146, ui::kModControl, 'B');
    Show();
    stop_ = false;
    ui::RunHotKeyLoop(*this, stop_, [](const ui::HotKeyMessage& message) {
      if (message.key == 'B') ui::Use<ui::Desktop>().Open(ui::ProgramFolder() + "/help.chm");
    });
  }

  void Form_QueryUnload(int& cancel, ui::UnloadMode) override {
    if (ui::MsgBox("是否退出？", ui::kYesNo | ui::kQuestion, "退出") == ui::kNo) {
      cancel = 1;
      return;
    }
    ui::UnloadAll();
  }
  void Form_Unload(int&) override { stop_ = true; }

  void Text1_Change() { Label1.setCaption("changes " + std::to_string(++changes_)); }
  void Combo1_Click() { Label1.setCaption("chosen " + Combo1.Text()); }
  void Command1_Click() { ui::Default<Form2>().Show(); }

  void Toolbar1_ButtonClick(const ui::ToolbarButton& button) {
    if (button.Key == "open") {
      automation::StopAtFirstError([&] {
        CommonDialog1.ShowOpen();
        Label1.setCaption(CommonDialog1.FileName);
      });
    } else if (button.Key == "menu") {
      mnuPopup.Popup();
    }
  }

  void mnuFile_Click(std::int16_t index) {
    if (index == 1) Label1.setCaption(ui::MsgBox("继续吗？", ui::kYesNo | ui::kQuestion, "提示") == ui::kYes ? "yes" : "no");
    if (index == 2) ui::Use<ui::Desktop>().Start(ui::ProgramFolder() + "/Hausdex.exe");
  }

 private:
  bool stop_ = false;
  int changes_ = 0;
};

}  // namespace

// With the argument "Form2" the sample starts as a program whose start-up form is shown and whose
// entry returns at once, ending when that form goes.
int main(int argc, char** argv) {
  const bool form2 = argc > 1 && std::string(argv[1]) == "Form2";
  ui::Program program(argc, argv, "ui_sample", "界面示例");
  if (form2) return program.Run([] { ui::Default<Form2>().Show(); });
  // As a Sub Main with errors ignored: Show reports the form unloaded once its load handler, which
  // ran the whole program, returns.
  return program.Run([] { automation::ResumeNext()([] { ui::Default<Form1>().Show(); }); });
}
