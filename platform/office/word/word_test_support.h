#pragma once
// What the Word tests share: an application, document files written from JSON text into a
// folder of their own, and the number of the error a call raises.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/office/word/word_application.h"
#include "platform/runtime/testing/error_number.h"

namespace office::word {

using runtime::testing::ErrorNumberOf;

struct WordTest : ::testing::Test {
  WordTest() { std::filesystem::create_directories(folder); }
  ~WordTest() override { std::filesystem::remove_all(folder); }

  std::string Write(const std::string& name, const std::string& json) const {
    const std::string path = (folder / name).string();
    std::ofstream(path) << json;
    return path;
  }
  // Opens a document file holding the main story given as JSON blocks.
  automation::Object Open(const std::string& mainBlocks, const std::string& rest = "") {
    return app.obj("Documents").call("Open", Write("report.doc", R"({"main": )" + mainBlocks + rest + "}")).toObject();
  }
  automation::Object Selection() const { return app.obj("ActiveDocument").obj("ActiveWindow").obj("Selection"); }
  std::string MainText() const { return app.obj("ActiveDocument").obj("Content").get("Text").toText(); }
  // The file that SaveAs writes for the active document.
  std::string SavedFile() const {
    const std::string path = (folder / "saved.doc").string();
    app.obj("ActiveDocument").call("SaveAs", path);
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qv_word_" + std::string(Info()->test_suite_name()) + "_" + Info()->name() + "_" +
                                                std::to_string(getpid()));
  static const ::testing::TestInfo* Info() { return ::testing::UnitTest::GetInstance()->current_test_info(); }
  std::shared_ptr<office::Application> word = CreateWordApplication();
  automation::Object app{word};
};

}  // namespace office::word
