// The document description's formatting: bold markup around text and fields, paragraph styles,
// page breaks, widths, and the mistakes that would spoil a template refused with their line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/templategen/document_description.h"
#include "tools/templategen/document_file.h"

namespace templategen {
namespace {

class DocumentDescriptionTest : public ::testing::Test {
 protected:
  Document Read(const std::string& lines) {
    std::ofstream(file) << "template 报告.dot\nreads 市场 A2:A3\n" << lines;
    return ReadDocumentDescription(file, keys);
  }
  ~DocumentDescriptionTest() override { std::filesystem::remove(file); }

  const std::filesystem::path file = std::filesystem::temp_directory_path() / "qv_document_description_test.txt";
  const std::vector<KeyRow> keys = {{"_SC002_", "市场", ParseAddress("A2"), "raw", "估价报告编号", ""}};
};

TEST_F(DocumentDescriptionTest, BoldMarkupStylesAndPageBreaksBecomeTheDocumentsFormatting) {
  const Document doc = Read(
      "@title 房地产估价报告\n**编号：**{{市场:A2}}\nindent 420\n正文**加粗{{市场:A2}}**。\n@pagebreak\n@h2 一、概况\n@right 落款\n"
      "table\nwidths 1000 2000\n| **项目** | {{市场:A2}} |\nend\n");
  const nlohmann::json main = DocumentJson(doc).at("main");
  EXPECT_EQ(main[0], (nlohmann::json{{"paragraph", {{{"text", "房地产估价报告"}}}}, {"style", "title"}, {"align", "center"}}));
  EXPECT_EQ(main[1].at("paragraph")[0], (nlohmann::json{{"text", "编号："}, {"bold", true}}));
  EXPECT_FALSE(main[1].at("paragraph")[1].contains("bold")) << "the field after the label is plain";
  EXPECT_FALSE(main[1].contains("indent")) << "indent applies from its line on";
  EXPECT_EQ(main[2].at("indent"), 420);
  EXPECT_EQ(main[2].at("paragraph")[2], (nlohmann::json{{"code", "TITLE _SC002_"}, {"result", "_SC002_"}, {"bold", true}}));
  EXPECT_EQ(main[3].at("paragraph")[0].at("text"), "\f");
  EXPECT_EQ(main[4].at("style"), "heading2");
  EXPECT_FALSE(main[4].contains("indent")) << "headings are not indented";
  EXPECT_EQ(main[5].at("align"), "right");
  EXPECT_EQ(main[6].at("widths"), (nlohmann::json{1000, 2000}));
  EXPECT_EQ(main[6].at("table")[0][0][0], (nlohmann::json{{"text", "项目"}, {"bold", true}}));
}

TEST_F(DocumentDescriptionTest, MistakesAreRefusedWithTheirLine) {
  const struct {
    const char* lines;
    const char* says;
  } cases[] = {
      {"**没有收尾\n", ":3: bold text without its closing **"},
      {"table\n| a |\nend\ntable\n| b |\nend\n", ":6: a table right after a table"},
      {"table\nwidths 100\n| a | b |\nend\n", ":6: a width for each column"},
      {"table\n| a |\nwidths 100\nend\n", ":5: widths come once, before the rows"},
  };
  for (const auto& c : cases) {
    try {
      Read(c.lines);
      ADD_FAILURE() << c.lines;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace templategen
