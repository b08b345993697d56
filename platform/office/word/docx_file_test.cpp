// Office Open XML files: the reports and the contract through .docx and back, the file's content
// deciding the format, and damaged files refused with an error instead of a crash.

#include <zip.h>

#include <cstdlib>
#include <random>

#include "platform/office/file_access.h"
#include "platform/office/word/document_file.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_test_support.h"
#include "platform/office/zip_package.h"

namespace office::word {
namespace {

using automation::Named;
using automation::Object;

const char* const kTemplates[] = {"房产估价报告(市场法和收益法).dot", "房产估价报告( 成本法).dot",
                                  "土地估价报告(基准地价和成本逼近).dot", "房地产估价合同.dot"};

std::string Bin(const std::string& file) { return std::string(QORVANE_BIN_DIR) + "/" + file; }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool LooksLikeZipFile(const std::string& path) { return LooksLikeZip(ReadBytes(path)); }

// What a refresher sees of a document: its text, its fields' codes and results, its tables' shapes.
std::string Outline(const Object& doc) {
  std::string out = doc.obj("Content").get("Text").toText() + "\n";
  const Object fields = doc.obj("Fields");
  for (std::int32_t i = 1; i <= fields.get("Count").toInt32(); ++i)
    out += fields.obj("Item", i).obj("Code").get("Text").toText() + "=" + fields.obj("Item", i).obj("Result").get("Text").toText() + "\n";
  const Object tables = doc.obj("Tables");
  for (std::int32_t i = 1; i <= tables.get("Count").toInt32(); ++i)
    out += std::to_string(tables.obj("Item", i).obj("Rows").get("Count").toInt32()) + "x" +
           std::to_string(tables.obj("Item", i).obj("Columns").get("Count").toInt32()) + "\n";
  return out + "title=" + doc.get("BuiltInDocumentProperties", "Title").toText();
}

using DocxFileTest = WordTest;

TEST_F(DocxFileTest, TheReportsAndTheContractKeepTextFieldsAndTablesThroughDocx) {
  const Object documents = app.obj("Documents");
  for (const char* name : kTemplates) {
    const Object original = documents.call("Add", Bin(name)).toObject();
    const std::string before = Outline(original);
    if (std::string(name).find("报告") != std::string::npos) {
      ASSERT_GT(original.obj("Fields").get("Count").toInt32(), 0) << name;
    }
    const std::string docx = (folder / (std::string(name) + "x")).string();  // .dotx
    original.call("SaveAs2", docx);
    EXPECT_TRUE(LooksLikeZipFile(docx)) << name;
    EXPECT_TRUE(ReadDocumentFile(docx).isTemplate) << "a .dotx is a template";
    original.obj("Fields").call("Update");
    const std::string updated = Outline(original);
    original.call("Close", 0);

    const Object reopened = documents.call("Open", docx).toObject();
    EXPECT_EQ(Outline(reopened), before) << name;
    DocumentContent ours = ReadDocumentFile(docx), generated = ReadDocumentFile(Bin(name));
    EXPECT_TRUE(ours.bookmarks == generated.bookmarks) << name;
    ASSERT_EQ(ours.otherStories.size(), generated.otherStories.size()) << name;
    for (auto& [story, content] : generated.otherStories)
      EXPECT_EQ(SpanText(ours.otherStories[story], {0, StoryLength(ours.otherStories[story])}),
                SpanText(content, {0, StoryLength(content)}))
          << name << " " << story;
    reopened.obj("Fields").call("Update");  // a refresher still finds the fields and their keys
    EXPECT_EQ(Outline(reopened), updated) << name;
    reopened.call("Close");
  }
}

TEST_F(DocxFileTest, TheContentNotTheNameSaysTheFormat) {
  const Object doc = Open(R"([{"paragraph": [{"text": "甲\t乙"}, {"code": "TITLE 坐落", "result": "坐落"}]},
                              {"table": [[[{"text": "一\r二"}], [{"text": ""}]]]}])",
                          R"(, "bookmarks": [{"name": "中间", "start": 1, "end": 3}, {"name": "表", "start": 17, "end": 17}])");
  const std::string asDoc = (folder / "报告.doc").string();
  doc.call("SaveAs", Named("FileName", asDoc), Named("FileFormat", 16));  // wdFormatDocumentDefault
  EXPECT_TRUE(LooksLikeZipFile(asDoc));
  const std::string asDocx = (folder / "报告.docx").string();
  doc.call("SaveAs", asDocx, 0);  // wdFormatDocument: the stand-in's own
  EXPECT_FALSE(LooksLikeZipFile(asDocx));
  EXPECT_EQ(ErrorNumberOf([&] { doc.call("SaveAs", asDocx, 99); }), 4120);
  const std::string text = doc.obj("Content").get("Text").toText();
  doc.call("Close");
  for (const std::string& path : {asDoc, asDocx}) {
    const Object again = app.obj("Documents").call("Open", path).toObject();
    EXPECT_EQ(again.obj("Content").get("Text").toText(), text) << path;
    EXPECT_EQ(again.obj("Tables", 1).call("Cell", 1, 1).toObject().obj("Range").get("Text").toText(), "一\r二\r\a");
    again.call("Close");
    const auto marks = ReadDocumentFile(path).bookmarks;
    ASSERT_EQ(marks.size(), 2u) << path;
    EXPECT_EQ(marks[0].name, "中间");
    EXPECT_TRUE(marks[0].span == (Span{1, 3}) && marks[1].span == (Span{17, 17})) << path;
  }
  // 保存 keeps the format the file is in.
  const Object docx = app.obj("Documents").call("Open", asDoc).toObject();
  docx.call("Range", 0, 0).toObject().put("Text", "新");
  docx.call("Close", Named("SaveChanges", -1));
  EXPECT_TRUE(LooksLikeZipFile(asDoc));
}

// A part of a zip written by libzip, for packages damaged in one particular way.
std::string Package(const std::vector<std::pair<std::string, std::string>>& parts) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(source);
  zip_t* zip = zip_open_from_source(source, ZIP_TRUNCATE, &error);
  for (const auto& [name, content] : parts)
    zip_file_add(zip, name.c_str(), zip_source_buffer(zip, content.data(), content.size(), 0), 0);
  zip_close(zip);
  zip_stat_t stat;
  zip_source_stat(source, &stat);
  std::string bytes(stat.size, '\0');
  zip_source_open(source);
  zip_source_read(source, bytes.data(), bytes.size());
  zip_source_close(source);
  zip_source_free(source);
  return bytes;
}

TEST_F(DocxFileTest, DamagedPackagesAreErrorsNamingTheFileAndWhy) {
  const std::string body = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)";
  std::string deep = body;
  for (int i = 0; i < 100000; ++i) deep += "<w:sdt><w:sdtContent>";
  struct Case {
    std::string bytes;
    const char* says;
  };
  const Case cases[] = {
      {Package({{"docProps/core.xml", "<x/>"}}), "no main document part"},
      {Package({{"word/document.xml", body + "<w:p><w:r><w:t>断"}}), "not well-formed XML"},
      {Package({{"word/document.xml", "<x/>"}}), "no document body"},
      {Package({{"word/document.xml", std::string(kMaxFileBytes + 1, ' ')}}), "larger than any part of such a file"},
      {Package({{"word/document.xml", deep}}), "not well-formed XML"},
      {std::string("PK\x03\x04 not really", 15), "not a zip package"},
  };
  for (const Case& c : cases) {
    const std::string path = Write("坏.docx", c.bytes);
    try {
      app.obj("Documents").call("Open", path);
      ADD_FAILURE() << c.says << ": opened";
    } catch (const automation::Error& e) {
      EXPECT_EQ(e.number(), 5792);
      EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
      EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
    }
  }
  EXPECT_EQ(app.obj("Documents").get("Count").toInt32(), 0);
}

TEST_F(DocxFileTest, TruncatedAndScrambledPackagesNeverCrash) {
  const Object doc = app.obj("Documents").call("Add", Bin(kTemplates[0])).toObject();
  const std::string good = (folder / "good.docx").string();
  doc.call("SaveAs", good);
  doc.call("Close");
  const std::string bytes = ReadBytes(good);
  std::mt19937 random(22);
  int refused = 0;
  for (int i = 0; i < 300; ++i) {
    std::string bad = bytes;
    if (i % 2 == 0) {
      bad.resize(4 + random() % (bytes.size() - 4));
    } else {
      for (int flips = 0; flips < 8; ++flips) bad[4 + random() % (bad.size() - 4)] = static_cast<char>(random());
    }
    const std::string path = Write("scrambled.docx", bad);
    try {
      app.obj("Documents").call("Open", path).toObject().call("Close");
    } catch (const automation::Error& e) {
      EXPECT_EQ(e.number(), 5792) << e.description();
      ++refused;
    }
  }
  EXPECT_GE(refused, 150) << "every truncated package at least";
}

// LibreOffice's headless Writer, another word processor, as the judge of the files.
class LibreOfficeTest : public WordTest {
 protected:
  void SetUp() override {
    if (std::system("command -v soffice > /dev/null") != 0) GTEST_SKIP() << "LibreOffice is not installed (scripts/setup)";
  }
  // Converts the file into the folder "out" with LibreOffice's filter; the path of the result.
  std::string Convert(const std::string& path, const std::string& to, const std::string& extension) const {
    const std::filesystem::path out = folder / "out";
    const std::string command = "soffice -env:UserInstallation=file://" + (folder / "profile").string() +
                                " --headless --convert-to '" + to + "' --outdir '" + out.string() + "' '" + path + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return (out / (std::filesystem::path(path).stem().string() + "." + extension)).string();
  }
};

TEST_F(LibreOfficeTest, ReadsOurReportAndWeReadItsDocx) {
  const Object doc = app.obj("Documents").call("Add", Bin(kTemplates[0])).toObject();
  const std::string docx = (folder / "report.docx").string();
  doc.call("SaveAs", docx);
  const std::string ours = doc.obj("Content").get("Text").toText();
  const std::string text = ReadBytes(Convert(docx, "txt:Text (encoded):UTF8", "txt"));
  // LibreOffice's text puts each paragraph and each cell on a line of its own.
  int lines = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = ours.find_first_of("\r\a", start)) != std::string::npos; start = end + 1) {
    const std::string line = ours.substr(start, end - start);
    if (line.empty()) continue;
    ++lines;
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_GT(lines, 100);

  // LibreOffice's own writing of it reads back with the same text and tables.
  const std::string theirs = Convert(docx, "docx:MS Word 2007 XML", "docx");
  ASSERT_TRUE(LooksLikeZipFile(theirs));
  const Object fromLibreOffice = app.obj("Documents").call("Add", theirs).toObject();
  EXPECT_TRUE(fromLibreOffice.obj("Content").get("Text").toText() == ours) << "the text differs";
  // Tables with nothing between them are one table to a word processor.
  const auto rows = [](const Object& d) {
    std::int32_t count = 0;
    for (std::int32_t i = 1; i <= d.obj("Tables").get("Count").toInt32(); ++i) count += d.obj("Tables", i).obj("Rows").get("Count").toInt32();
    return count;
  };
  EXPECT_EQ(rows(fromLibreOffice), rows(doc));
}

}  // namespace
}  // namespace office::word
