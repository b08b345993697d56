#pragma once
// What the stand-in Excel's tests share: an application, workbook files in a scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/automation/variant.h"
#include "platform/office/excel/application.h"
#include "platform/runtime/testing/error_number.h"

namespace excel::testing {

using runtime::testing::ErrorNumberOf;

struct ExcelTest : ::testing::Test {
  ExcelTest() {
    dir = std::filesystem::temp_directory_path() /
          ("qv_excel_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  ~ExcelTest() override { std::filesystem::remove_all(dir); }

  std::string WriteFile(const std::string& name, const std::string& json) const {
    const std::string path = (dir / name).string();
    std::ofstream(path) << json;
    return path;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  automation::Object Open(const std::string& name, const std::string& json) const {
    return xl.obj("Workbooks").call("Open", WriteFile(name, json)).toObject();
  }
  // A new workbook whose only sheet is active, and that sheet.
  automation::Object NewSheet() const { return xl.obj("Workbooks").call("Add").toObject().obj("Worksheets", 1); }

  std::shared_ptr<office::Application> app = CreateExcelApplication();
  automation::Object xl{app};
  std::filesystem::path dir;
};

}  // namespace excel::testing
