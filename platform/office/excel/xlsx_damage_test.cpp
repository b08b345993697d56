// Damaged and hostile .xlsx packages, a few hundred of them made from a formatted project
// workbook: each is read or refused with error 1004, never a crash, a hang or a runaway.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/office/excel/workbook_file.h"
#include "platform/office/excel/xlsx_file.h"
#include "platform/office/excel/xlsx_test_package.h"
#include "platform/runtime/testing/time_bound.h"

namespace excel {
namespace {

// "read", or the reason it was refused; anything else thrown fails the test.
std::string Outcome(const std::string& bytes) {
  try {
    ParseXlsx(bytes, "坏.xlsx");
    return "read";
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), 1004) << e.description();
    return e.description();
  }
}

office::PackageParts ProjectParts() {
  const auto file = ReadWorkbookFile(std::string(QORVANE_BIN_DIR) + "/市场法.xlt");
  BookModel& book = *file.book;
  const std::string bytes = XlsxContent(book, false);
  office::PackageReader reader(bytes, 1u << 30);
  office::PackageParts parts;
  for (std::string name : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml"})
    parts[name] = *reader.Part(name);
  for (std::size_t i = 1; i <= book.sheets().size(); ++i) {
    const std::string name = "xl/worksheets/sheet" + std::to_string(i) + ".xml";
    parts[name] = *reader.Part(name);
  }
  return parts;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
  return text;
}

TEST(XlsxDamageTest, MissingCutAndCorruptedPartsAreRefusedOrRead) {
  const office::PackageParts good = ProjectParts();
  ASSERT_EQ(Outcome(office::WritePackage(good)), "read");
  int cases = 0, refused = 0;
  const auto check = [&](const office::PackageParts& parts) {
    ++cases;
    if (Outcome(office::WritePackage(parts)) != "read") ++refused;
  };
  for (const auto& [name, text] : good) {
    SCOPED_TRACE(name);
    office::PackageParts parts = good;
    parts.erase(name);
    check(parts);
    // Cut anywhere: the XML is no longer well-formed.
    for (int piece = 1; piece < 24; ++piece) {
      parts = good;
      parts[name] = text.substr(0, text.size() * piece / 24);
      check(parts);
    }
    // A document type with an entity, which must never be expanded.
    parts = good;
    parts[name] = R"(<?xml version="1.0"?><!DOCTYPE x [<!ENTITY a "aaaaaaaaaa">]>)" + text.substr(text.find("?>") + 2);
    check(parts);
  }
  // Values no file may hold, in every attribute that takes a number or an address.
  const std::vector<std::pair<std::string, std::string>> hostile = {
      {" s=\"", " s=\"99999999999"}, {" s=\"", " s=\"-1"},  {" r=\"", " r=\"A0"},          {" r=\"", " r=\"XFE1"},
      {"ht=\"", "ht=\"nan"},          {"ht=\"", "ht=\"1e308"}, {"width=\"", "width=\"nan"}, {"width=\"", "width=\"inf"},
      {"<v>", "<v>nan"},              {"<v>", "<v>1e999"},     {"fontId=\"", "fontId=\"4000000000"},
      {"borderId=\"", "borderId=\"7777777"}, {"numFmtId=\"", "numFmtId=\"-5"}, {"sz val=\"", "sz val=\"nan"},
      {"ref=\"", "ref=\"Z9:A1,"},    {"ref=\"", "ref=\"A1:XFD1048576\" x=\""}, {"activeTab=\"", "activeTab=\"99"},
      {"localSheetId=\"", "localSheetId=\"-1"}, {"rgb=\"", "rgb=\"zz"}, {"<f>", "<f>(((("}};
  for (const auto& [from, to] : hostile) {
    SCOPED_TRACE(to);
    office::PackageParts parts = good;
    for (auto& [name, text] : parts) text = ReplaceAll(text, from, to);
    check(parts);
  }
  EXPECT_GT(cases, 200);
  EXPECT_GT(refused, 150);
}

TEST(XlsxDamageTest, NumbersNoCellWidthOrHeightCanHoldAreRefused) {
  const auto outcome = [](const std::string& sheetData, const std::string& before = "") {
    office::PackageParts parts = OneSheetPackage("", sheetData);
    if (!before.empty()) parts["xl/worksheets/sheet1.xml"] = ReplaceAll(parts["xl/worksheets/sheet1.xml"], "<sheetData>", before + "<sheetData>");
    return Outcome(office::WritePackage(parts));
  };
  EXPECT_NE(outcome(R"(<row r="1"><c r="A1"><v>nan</v></c></row>)").find("not a number"), std::string::npos);
  EXPECT_NE(outcome(R"(<row r="1"><c r="A1"><v>inf</v></c></row>)").find("not a number"), std::string::npos);
  EXPECT_NE(outcome(R"(<row r="1" ht="nan" customHeight="1"/>)").find("not a number"), std::string::npos);
  EXPECT_NE(outcome("", R"(<cols><col min="1" max="1" width="nan"/></cols>)").find("not a number"), std::string::npos);
  EXPECT_EQ(outcome(R"(<row r="1" ht="20.25" customHeight="1"><c r="A1"><v>1e300</v></c></row>)"), "read");
}

TEST(XlsxDamageTest, DeepNestingAndHugeSharedStringsStayBounded) {
  const auto nested = [](const std::string& open, const std::string& close, int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += open;
    for (int i = 0; i < depth; ++i) text += close;
    return text;
  };
  const auto start = std::chrono::steady_clock::now();
  {
    // Rich text runs inside runs, unknown elements inside a cell, fonts inside fonts.
    EXPECT_EQ(Outcome(office::WritePackage(OneSheetPackage("", R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)", "",
                                                           "<si>" + nested("<r>", "</r>", 200000) + "</si>"))),
              "read");
    EXPECT_EQ(Outcome(office::WritePackage(OneSheetPackage("", R"(<row r="1"><c r="A1">)" + nested("<x>", "</x>", 200000) + "</c></row>"))), "read");
    EXPECT_EQ(Outcome(office::WritePackage(OneSheetPackage("<fonts>" + nested("<font>", "</font>", 200000) + "</fonts>", ""))), "read");
    // Half a million shared strings, the last one used; one longer than a cell holds, refused.
    std::string strings;
    for (int i = 0; i < 500000; ++i) strings += "<si><t>" + std::to_string(i) + "</t></si>";
    EXPECT_EQ(Outcome(office::WritePackage(OneSheetPackage("", R"(<row r="1"><c r="A1" t="s"><v>499999</v></c></row>)", "", strings))), "read");
    const std::string tooLong = "<si><t>" + std::string(40000, 'x') + "</t></si>";
    EXPECT_NE(Outcome(office::WritePackage(OneSheetPackage("", R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)", "", tooLong))).find("at most"),
              std::string::npos);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, runtime::testing::Within(std::chrono::seconds(20)));
}

}  // namespace
}  // namespace excel
