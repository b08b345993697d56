#include "platform/office/excel/excel_test_support.h"

#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "platform/office/excel/workbook_file.h"

namespace excel::testing {
namespace {

using automation::Object;
using automation::Variant;

constexpr const char* kTemplate = R"json({"template": true, "activeSheet": "市场法计算表", "sheets": [
  {"name": "参数", "cells": {"A1": {"value": "Qorvane"}, "D1": {"value": 1}}},
  {"name": "市场法计算表",
   "cells": {"B1": {"formula": "=ROW(A38)"}, "D1": {"value": 1}, "A5": {"formula": "=参数!D1+1"},
             "D9": {"value": "x", "locked": false}},
   "hiddenRows": ["38:73", "80:80"], "columnWidths": {"A": 12.5, "N": 0}, "printArea": "$A$2:$O$37",
   "protection": {"password": "pw", "allowFormattingCells": true}},
  {"name": "隐藏", "hidden": true}]})json";

struct WorkbookFileTest : ExcelTest {
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  long Count() const { return xl.obj("Workbooks").get("Count").toInt32(); }
  long OpenError(const std::string& name, const std::string& json, std::string* description = nullptr) const {
    const std::string path = WriteFile(name, json);
    try {
      xl.obj("Workbooks").call("Open", path);
    } catch (const automation::Error& e) {
      if (description) *description = e.description();
      return e.number();
    }
    return 0;
  }
};

TEST_F(WorkbookFileTest, ATemplateOpensAsANewWorkbookNamedAfterIt) {
  const std::string path = WriteFile("市场法.xlt", kTemplate);
  const Object first = xl.obj("Workbooks").call("Open", path).toObject();
  const Object second = xl.obj("Workbooks").call("Open", path).toObject();
  EXPECT_EQ(first.get("Name").toText(), "市场法1");
  EXPECT_EQ(second.get("Name").toText(), "市场法2");
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "市场法2");
  EXPECT_EQ(xl.obj("ActiveSheet").get("Name").toText(), "市场法计算表");
  first.obj("Worksheets", "参数").obj("Range", "D1").put("Value", 5);
  EXPECT_EQ(second.obj("Worksheets", "参数").obj("Range", "D1").get("Value").toDouble(), 1) << "each is its own copy";
  EXPECT_EQ(xl.obj("Workbooks").call("Add").toObject().get("Name").toText(), "工作簿1");
  // The flag in the file makes a template whatever the extension; without it, the file opens itself.
  EXPECT_EQ(Open("估价作业方案.json", kTemplate).get("Name").toText(), "估价作业方案1");
  EXPECT_EQ(Open("项目.json", R"({"sheets": [{"name": "参数"}]})").get("Name").toText(), "项目.json");
  EXPECT_EQ(xl.obj("Workbooks").call("Open", (dir / "项目.json").string()).toObject().get("Name").toText(), "项目.json");
  EXPECT_EQ(Count(), 5) << "opening an open file again activates it";
}

TEST_F(WorkbookFileTest, TheFileCarriesEverythingTheSheetsHold) {
  const Object book = Open("t.xlt", kTemplate);
  const Object s = book.obj("Sheets", "市场法计算表");
  EXPECT_EQ(s.obj("Range", "B1").get("Value").toDouble(), 38);
  EXPECT_EQ(s.obj("Range", "A5").get("Value").toDouble(), 2);
  EXPECT_EQ(s.obj("Rows", "38:73").get("Hidden"), Variant(true));
  EXPECT_EQ(s.obj("Rows", "74").get("Hidden"), Variant(false));
  EXPECT_EQ(s.obj("Range", "A1").get("ColumnWidth").toDouble(), 12.5);
  EXPECT_EQ(s.obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$37");
  EXPECT_EQ(s.get("ProtectContents"), Variant(true));
  EXPECT_EQ(s.obj("Range", "D9").get("Locked"), Variant(false));
  EXPECT_EQ(book.obj("Sheets", "隐藏").get("Visible").toInt32(), 0);

  const std::string saved = (dir / "保存.json").string();
  book.call("SaveAs", saved);
  EXPECT_EQ(book.get("Name").toText(), "保存.json");
  book.call("Close");
  const Object again = xl.obj("Workbooks").call("Open", saved).toObject();
  const Object t = again.obj("Sheets", "市场法计算表");
  EXPECT_EQ(t.obj("Range", "A5").get("Formula").toText(), "=参数!D1+1");
  EXPECT_EQ(t.obj("Rows", "80:80").get("Hidden"), Variant(true));
  EXPECT_EQ(t.obj("Range", "N1").get("ColumnWidth").toDouble(), 0);
  EXPECT_EQ(t.obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$37");
  EXPECT_EQ(ErrorNumberOf([&] { t.obj("Range", "A1").put("ColumnWidth", 3); }), 0) << "formatting stays allowed";
  EXPECT_EQ(ErrorNumberOf([&] { t.call("Unprotect", "wrong"); }), 1004);
  t.call("Unprotect", "pw");
  EXPECT_EQ(again.obj("Sheets", "隐藏").get("Visible").toInt32(), 0);
  EXPECT_EQ(xl.obj("ActiveSheet").get("Name").toText(), "市场法计算表");
}

TEST_F(WorkbookFileTest, AMissingFileNamesItselfAndOpensNothing) {
  const std::string path = (dir / "无此模板.xlt").string();
  try {
    xl.obj("Workbooks").call("Open", path);
    FAIL() << "opened a missing file";
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), 1004);
    EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
  }
  EXPECT_EQ(Count(), 0);
}

TEST_F(WorkbookFileTest, ASaveThatCannotBeWrittenKeepsTheOldFileByteForByte) {
  const auto book = xl.obj("Workbooks").call("Add").toObject();
  book.obj("Worksheets", 1).put("Name", "参数");
  const std::string saved = (dir / "项目.xls").string();
  book.call("SaveAs", saved);
  const std::string before = ReadAll(saved);
  book.obj("Worksheets", "参数").obj("Range", "E7").put("Value", std::string("\xff\xfe张"));
  try {
    book.call("SaveAs", saved);
    FAIL() << "saved a text that the file cannot hold";
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), 1004);
    EXPECT_NE(e.description().find("the text of cell 参数!E7 is not valid UTF-8"), std::string::npos) << e.description();
  }
  EXPECT_EQ(ReadAll(saved), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file is left";
}

TEST_F(WorkbookFileTest, OnlyRegularFilesOpenAndNothingWaitsForAWriter) {
  const std::string fifo = (dir / "fifo.xls").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero"), dir.string()})
    EXPECT_EQ(ErrorNumberOf([&] { xl.obj("Workbooks").call("Open", path); }), 1004) << path;
  EXPECT_EQ(Count(), 0);
}

TEST_F(WorkbookFileTest, AMalformedFileSaysWhatIsWrongAndOpensNothing) {
  const std::pair<const char*, const char*> cases[] = {
      {"{\"sheets\": [", "parse"},
      {"[1, 2]", "not a JSON object"},
      {"{}", "at least one sheet"},
      {R"({"sheets": [{"cells": {}}]})", "no name"},
      {R"({"sheets": [{"name": "a"}, {"name": "A"}]})", "two sheets"},
      {R"({"sheets": [{"name": "a", "cells": {"A0": {"value": 1}}}]})", "cell A0"},
      {R"({"sheets": [{"name": "a", "cells": {"A1": {"value": [1]}}}]})", "a value is"},
      {R"({"sheets": [{"name": "a", "cells": {"A1": {"value": 1, "formula": "=1"}}}]})", "both"},
      {R"({"sheets": [{"name": "a", "cells": {"A1": {"formula": "=SUM("}}}]})", "cell A1"},
      {R"({"sheets": [{"name": "a", "cells": {"A1": {"formula": "=b!A1"}}}]})", "no sheet named 'b'"},
      {R"({"sheets": [{"name": "a", "hiddenRows": ["A1"]}]})", "not a row range"},
      {R"({"sheets": [{"name": "a", "columnWidths": {"A": 300}}]})", "from 0 to 255"},
      {R"({"sheets": [{"name": "a", "hidden": true}]})", "every sheet is hidden"},
      {R"({"activeSheet": "b", "sheets": [{"name": "a"}]})", "active sheet"},
      {R"({"sheets": [{"name": "a", "protection": {"password": 5}}]})", "wrong type"},
  };
  for (const auto& [json, what] : cases) {
    std::string description;
    EXPECT_EQ(OpenError("bad.json", json, &description), 1004) << json;
    EXPECT_NE(description.find("bad.json"), std::string::npos) << description;
    EXPECT_NE(description.find(what), std::string::npos) << description;
  }
  EXPECT_EQ(Count(), 0);
}

TEST_F(WorkbookFileTest, TheWrittenFormatIsTheDocumentedOne) {
  const auto file = ParseWorkbookJson(kTemplate, "t.xlt");
  const auto written = nlohmann::json::parse(WorkbookJson(*file.book, true));
  EXPECT_EQ(written["template"], true);
  EXPECT_EQ(written["sheets"][1]["cells"]["B1"]["formula"], "=ROW(A38)");
  EXPECT_EQ(written["sheets"][1]["cells"]["D9"]["locked"], false);
  EXPECT_EQ(written["sheets"][1]["hiddenRows"], nlohmann::json::parse(R"(["38:73", "80:80"])"));
  EXPECT_EQ(written["sheets"][2]["hidden"], true);
  EXPECT_EQ(written["sheets"][1]["protection"]["allowFormattingCells"], true);
}

}  // namespace
}  // namespace excel::testing
