#pragma once
// What the tests of the workbench's windows share: the stand-in Excel hosted in this process,
// project workbooks written as workbook files, a scripted run and its log.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>

#include "platform/automation/variant.h"
#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/ui/form.h"
#include "platform/ui/program.h"
#include "platform/ui/screenshot.h"
#include "platform/ui/test_support.h"
#include "platform/ui/text_fit.h"
#include "workbench/common/passwords.h"
#include "workbench/common/project_workbook.h"
#include "platform/runtime/testing/error_number.h"

namespace shell_testing {

using nlohmann::json;

inline office::ApplicationRegistry ExcelOnly() {
  office::ApplicationRegistry registry;
  registry.Register("Excel.Application", [] { return excel::CreateExcelApplication(); });
  return registry;
}

// A sheet as the templates have it: protected with the worksheet password, cell formatting not
// allowed, so that only the workbench changes its column widths.
inline json ProtectedSheet(const std::string& name) {
  return {{"name", name},
          {"cells", {{"A1", {{"value", name}}}, {"B2", {{"value", 10}, {"locked", false}}}}},
          {"columnWidths", {{"D", 15}}},
          {"protection", {{"password", workbench::kWorksheetPassword}, {"allowFormattingCells", false}}}};
}

// Every sheet the help knows, and one it does not.
inline json ProjectWorkbook(const std::string& activeSheet, const std::string& marker = workbench::kMarkerText) {
  json sheets = json::array();
  sheets.push_back({{"name", "参数"}, {"cells", {{"A1", {{"value", marker}}}}}});
  for (const char* name : {"市场法计算表", "收益法计算表1", "收益法计算表2", "成本法计算表", "基准地价计算表", "成本逼近计算表",
                           "估价结果汇总表", "说明"})
    sheets.push_back(ProtectedSheet(name));
  return {{"activeSheet", activeSheet}, {"sheets", sheets}};
}

class OfficeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SetProgramTitle("Qorvane房地产估价系统");
    QApplication::setWindowIcon(ui::ProgramIcon("Estivo"));
  }
  void TearDown() override {
    ui::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Excel as the user starts it: running, visible.
  automation::Object StartExcel() {
    xl = office::CreateObject("Excel.Application");
    xl.put("Visible", true);
    return xl;
  }
  // Opens the workbook in the running Excel; it becomes the active one.
  automation::Object Open(const json& book, const std::string& name = "项目.xls") {
    const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path) << book.dump();
    return xl.obj("Workbooks").call("Open", path).toObject();
  }
  automation::Object ActiveSheet() const { return xl.obj("ActiveSheet"); }
  bool Protected(const automation::Object& sheet) const { return sheet.get("ProtectContents").toBool(); }

  std::vector<json> Boxes() const {
    std::vector<json> boxes;
    for (const json& e : log_.entries())
      if (e["event"] == "msgbox") boxes.push_back(e);
    return boxes;
  }

  // One picture per window for the closing notes, with every text in it whole.
  static void Screenshot(const ui::Form& form, const std::string& name) {
    QDir().mkpath(SCREENSHOT_DIR);
    EXPECT_TRUE(ui::SaveScreenshot(form, std::string(SCREENSHOT_DIR) + "/" + name + ".png"));
    EXPECT_EQ(ui::CutTexts(form), std::vector<std::string>()) << name;
  }

  QTemporaryDir dir_;
  ui::testing::CapturedLog log_;
  ui::testing::ScriptedRunScope scripted_;
  office::InProcessOffice office_{ExcelOnly()};
  automation::Object xl;
};

using runtime::testing::ErrorNumberOf;

}  // namespace shell_testing
