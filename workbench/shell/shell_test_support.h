#pragma once
// What the shell's cases share: the watched desktop, the in-process Office with the stand-in
// Excel and Word, the toolbar window, and the message boxes of the case.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/office/word/word_application.h"
#include "platform/runtime/program_folder.h"
#include "platform/ui/desktop.h"
#include "platform/ui/form.h"
#include "platform/ui/scripted_answers.h"
#include "platform/ui/services.h"
#include "platform/ui/test_support.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/shell/gongjulan.h"
#include "workbench/shell/shell_module.h"

namespace shell_testing {

class WatchingDesktop : public ui::Desktop {
 public:
  bool Open(const std::string& file) override {
    opened.push_back(file);
    return false;
  }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return false;
  }
  std::vector<std::string> opened, started;
};

inline WatchingDesktop& Desktop() { return static_cast<WatchingDesktop&>(ui::Use<ui::Desktop>()); }

inline office::ApplicationRegistry StandInRegistry() {
  office::ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  registry.Register("Word.Application", office::word::CreateWordApplication);
  return registry;
}

struct Box {
  std::string title, text, icon, buttons;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Desktop().opened.clear();
    Desktop().started.clear();
  }
  void TearDown() override {
    form().xlApp = form().wdApp = automation::Object();
    主类::excel = 增加计算表::excel = automation::Object();
    while (ui::TakeBoxAnswer()) {}
    while (ui::TakeFileAnswer()) {}
  }

  static gongjulan& form() { return ui::Default<gongjulan>(); }
  void Press(const std::string& key) { form().Toolbar1.ScriptPress(key); }

  // A visible Excel as the user runs it, with a workbook made from the project template.
  automation::Object RunningExcel() {
    automation::Object xl = office::CreateObject("Excel.Application");
    xl.put("Visible", true);
    return xl;
  }
  automation::Object ProjectWorkbookIn(const automation::Object& xl) {
    return xl.obj("Workbooks").call("Open", runtime::ProgramFolder() + "/市场法.xlt").toObject();
  }
  automation::Object RunningWord() {
    automation::Object word = office::CreateObject("Word.Application");
    word.put("Visible", true);
    return word;
  }
  static bool Running(const char* progid) { return office::IsApplicationRunning(progid); }

  std::vector<Box> Boxes() const {
    std::vector<Box> boxes;
    for (const auto& e : log_.entries())
      if (e["event"] == "msgbox") boxes.push_back({e["title"], e["text"], e["icon"], e["buttons"]});
    return boxes;
  }

  office::InProcessOffice office_{StandInRegistry()};
  ui::testing::CapturedLog log_;
};

}  // namespace shell_testing
