#pragma once
// Project workbooks from the real templates in an in-process Excel, with the message boxes of a
// scripted run answered from a queue and logged.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"
#include "platform/ui/test_support.h"
#include "workbench/calctables/calc_tables_module.h"
#include "workbench/common/passwords.h"

namespace 增加计算表::testing {

inline office::ApplicationRegistry ExcelOnly() {
  office::ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  return registry;
}

struct CalcTablesTest : ::testing::Test {
  CalcTablesTest() {
    ui::SetProgramTitle("Qorvane房地产估价系统");
    xl.put("Visible", true);
  }
  ~CalcTablesTest() override { excel = automation::Object(); }

  void OpenProject(const std::string& templateFile, const char* owner = "张三") {
    xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/" + templateFile);
    if (owner) Set("参数", "E7", owner);
  }
  automation::Object Sheet(const std::string& name) const { return xl.obj("Worksheets", name); }
  automation::Object Cell(const std::string& sheet, const std::string& address) const {
    return Sheet(sheet).obj("Range", address);
  }
  automation::Variant Value(const std::string& sheet, const std::string& address) const {
    return Cell(sheet, address).get("Value");
  }
  int Number(const std::string& sheet, const std::string& address) const { return Value(sheet, address).toInt32(); }
  std::string Text(const std::string& sheet, const std::string& address) const {
    return Value(sheet, address).toText();
  }
  std::string FormulaR1C1(const std::string& sheet, const std::string& address) const {
    return Cell(sheet, address).get("FormulaR1C1").toText();
  }
  // As the user types on a sheet the system protects: unprotect, write, protect again.
  void Set(const std::string& sheet, const std::string& address, const automation::Variant& value) const {
    const bool locked = Sheet(sheet).get("ProtectContents").toBool();
    if (locked) Sheet(sheet).call("Unprotect", workbench::kWorksheetPassword);
    Cell(sheet, address).put("Value", value);
    if (locked) Sheet(sheet).call("Protect", workbench::kWorksheetPassword);
  }
  std::string ActiveSheet() const { return xl.obj("ActiveSheet").get("Name").toText(); }
  bool Protected(const std::string& sheet) const { return Sheet(sheet).get("ProtectContents").toBool(); }

  static void Answer(int answer) { ui::QueueBoxAnswer(answer); }
  // The texts of the message boxes shown so far.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& entry : log.entries())
      if (entry.value("event", "") == "msgbox") texts.push_back(entry.value("text", ""));
    return texts;
  }

  office::InProcessOffice office{ExcelOnly()};
  ui::testing::CapturedLog log;
  ui::testing::ScriptedRunScope scripted;
  automation::Object xl = office::CreateObject("Excel.Application");
};

}  // namespace 增加计算表::testing
