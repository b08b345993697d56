// The shell's tests run as its commands do: inside the toolbar window's event loop, with the
// stand-in Excel and Word in this process, message boxes answered by the script queue, and the
// desktop and hot keys watched. Templates the cases open, and an empty house case database, are
// written beside the test program, which is its program folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QTimer>

#include "platform/runtime/program_folder.h"
#include "platform/ui/form.h"
#include "platform/ui/hot_keys.h"
#include "platform/ui/program.h"
#include "platform/ui/scripted_answers.h"
#include "platform/ui/services.h"
#include "workbench/casequery/house_case_fixture.h"
#include "workbench/shell/gongjulan.h"
#include "workbench/shell/shell_test_support.h"

namespace {

class TestHotKeys : public ui::HotKeys {
 protected:
  bool Acquire(int, int) override { return true; }
};

// Written under a name of this process, then renamed: test processes run side by side.
void WriteFile(const std::string& name, const std::string& content) {
  const std::filesystem::path target = std::filesystem::path(runtime::ProgramFolder()) / name;
  const std::filesystem::path temporary = target.string() + "." + std::to_string(getpid());
  std::ofstream(temporary) << content;
  std::filesystem::rename(temporary, target);
}

void WriteTemplates() {
  const std::string projectWorkbook =
      R"({"template": true, "activeSheet": "参数", "sheets": [)"
      R"({"name": "参数", "cells": {"A1": {"value": "Qorvane房地产"}, "B1": {"value": "市场法"}}},)"
      R"({"name": "市场法计算表", "cells": {}}, {"name": "收益法计算表1", "cells": {}}]})";
  const std::string otherWorkbook = R"({"template": true, "sheets": [{"name": "Sheet1", "cells": {}}]})";
  WriteFile("市场法.xlt", projectWorkbook);
  WriteFile("房地产估价作业方案.xlt", otherWorkbook);
  WriteFile("市场法比较计算表.xlt", otherWorkbook);
  WriteFile("房产估价报告(市场法和收益法).dot", R"({"template": true, "main": [{"paragraph": [{"text": "报告"}]}]})");
  WriteFile("房地产估价合同.dot", R"({"template": true, "main": [{"paragraph": [{"text": "合同"}]}]})");
  WriteFile("plain.xls", R"({"sheets": [{"name": "Sheet1", "cells": {"A1": {"value": 7}}}]})");
  casequery_testing::WriteHouseCases(runtime::ProgramFolder() + "/db.mdb", 0, {});
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName("shell_test");
  QApplication::setQuitOnLastWindowClosed(false);
  ui::SetProgramTitle("Qorvane房地产估价系统");
  ui::SetScriptedRun(true);
  ui::Install<ui::HotKeys>(std::make_unique<TestHotKeys>());
  ui::Install<ui::Desktop>(std::make_unique<shell_testing::WatchingDesktop>());
  WriteTemplates();
  // The toolbar's load handler never returns: the cases end the process from inside its loop.
  QTimer::singleShot(0, [] {
    const int result = RUN_ALL_TESTS();
    std::fflush(nullptr);
    std::_Exit(result);
  });
  ui::Default<gongjulan>();
  return 1;
}
