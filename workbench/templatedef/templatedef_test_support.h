#pragma once
// What the window's tests share: the stand-in Excel and Word hosted in this process, project
// workbooks made from the generated templates, the scripted run and its message boxes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <nlohmann/json.hpp>

#include "platform/automation/error_modes.h"
#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/office/word/word_application.h"
#include "platform/ui/form.h"
#include "platform/ui/program.h"
#include "platform/ui/screenshot.h"
#include "platform/ui/test_support.h"
#include "workbench/common/passwords.h"
#include "workbench/templatedef/define_template_window.h"

namespace templatedef_testing {

using automation::Object;
using nlohmann::json;

inline office::ApplicationRegistry ExcelAndWord() {
  office::ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  registry.Register("Word.Application", office::word::CreateWordApplication);
  return registry;
}

class TemplateDefinitionTest : public ::testing::Test {
 protected:
  void SetUp() override { ui::SetProgramTitle("Qorvane房地产估价系统"); }
  void TearDown() override {
    ui::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The applications as the user starts them: running, visible.
  Object StartExcel() {
    xl = office::CreateObject("Excel.Application");
    xl.put("Visible", true);
    return xl;
  }
  Object StartWord() {
    wd = office::CreateObject("Word.Application");
    wd.put("Visible", true);
    return wd;
  }
  // A project workbook made from one of the generated workbook templates, active in Excel.
  Object NewProjectWorkbook(const std::string& xlt) {
    return xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/" + xlt).toObject();
  }
  Object Sheet(const std::string& name) const { return xl.obj("ActiveWorkbook").obj("Worksheets", name); }
  Object Cell(const std::string& sheet, const std::string& address) const { return Sheet(sheet).obj("Range", address); }
  // Writes a value sheet's cell as the user would, lifting the sheet's protection for it.
  void Write(const std::string& sheet, const std::string& address, const automation::Variant& value) const {
    const Object s = Sheet(sheet);
    const bool wasProtected = s.get("ProtectContents").toBool();
    if (wasProtected) s.call("Unprotect", workbench::kWorksheetPassword);
    s.obj("Range", address).put("Value", value);
    if (wasProtected) s.call("Protect", workbench::kWorksheetPassword);
  }

  // The menu item's way: a window that refuses in its load ends the command.
  static bool Show() { return automation::StopAtFirstError(workbench::Show定义模板); }
  static 定义模板& window() { return ui::Default<定义模板>(); }
  static bool WindowOpen() { return ui::FindLoadedForm("定义模板") != nullptr; }
  static std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < window().Combo4.ListCount(); ++i) names.push_back(window().Combo4.List(i));
    return names;
  }

  std::vector<json> Boxes() const {
    std::vector<json> boxes;
    for (const json& e : log_.entries())
      if (e["event"] == "msgbox") boxes.push_back(e);
    return boxes;
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const json& box : Boxes()) texts.push_back(box["text"]);
    return texts;
  }

  static void Screenshot(const ui::Form& form, const std::string& name) {
    QDir().mkpath(SCREENSHOT_DIR);
    EXPECT_TRUE(ui::SaveScreenshot(form, std::string(SCREENSHOT_DIR) + "/" + name + ".png"));
  }

  ui::testing::CapturedLog log_;
  ui::testing::ScriptedRunScope scripted_;
  office::InProcessOffice office_{ExcelAndWord()};
  Object xl, wd;
};

}  // namespace templatedef_testing
