// Office Open XML files: the reports and the contract through .docx and back, the file's content
// deciding the format, and damaged files refused with an error instead of a crash.

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>

#include "platform/office/file_access.h"
#include "platform/office/word/document_file.h"
#include "platform/office/word/docx_file.h"
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

// The story with its ids cleared, for comparing content read at different times.
Story WithoutIds(Story story) {
  for (Block& block : story.blocks) {
    if (auto* para = std::get_if<Paragraph>(&block)) {
      for (Inline& i : para->items)
        if (auto* f = std::get_if<Field>(&i)) f->id = 0;
      continue;
    }
    Table& table = std::get<Table>(block);
    table.id = 0;
    for (Row& row : table.rows) {
      row.id = 0;
      for (Cell& cell : row.cells)
        for (Inline& i : cell.items)
          if (auto* f = std::get_if<Field>(&i)) f->id = 0;
    }
  }
  return story;
}

// Whether the story read from .docx is the one written, ids aside. A table of columns of equal
// width gets them written, as Word needs a grid, and so reads back with widths, all the same.
bool SameThroughDocx(const Story& read, const Story& written) {
  Story a = WithoutIds(read), b = WithoutIds(written);
  if (a.blocks.size() != b.blocks.size()) return false;
  for (std::size_t i = 0; i < a.blocks.size(); ++i) {
    auto* t = std::get_if<Table>(&a.blocks[i]);
    auto* u = std::get_if<Table>(&b.blocks[i]);
    if (!t || !u || !u->columnWidths.empty()) continue;
    if (std::adjacent_find(t->columnWidths.begin(), t->columnWidths.end(), std::not_equal_to<>()) != t->columnWidths.end())
      return false;
    t->columnWidths.clear();
  }
  return a == b;
}

// The paragraph styles, bold runs and table shapes of a story, in order.
std::string FormatOutline(const Story& story) {
  std::string out;
  for (const Block& block : story.blocks) {
    if (const auto* para = std::get_if<Paragraph>(&block)) {
      out += std::to_string(static_cast<int>(para->format.style)) + std::to_string(static_cast<int>(para->format.alignment));
      for (const Inline& i : para->items)
        if (const auto* run = std::get_if<Run>(&i); run && run->format.bold) out += "b" + run->text;
      out += "\n";
      continue;
    }
    const Table& table = std::get<Table>(block);
    out += "table " + std::string(table.borders ? "bordered" : "plain");
    for (const int w : table.columnWidths) out += " " + std::to_string((w + 10) / 20);  // in points: others round them
    out += "\n";
  }
  return out;
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
    EXPECT_TRUE(SameThroughDocx(ours.main, generated.main)) << name << ": text, fields, tables and formatting";
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

// A part of a zip written by libzip, for packages made or damaged in one particular way.
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

// Fields and formatting as other word processors write them: a field's code and result split
// over runs (a tab element in the code), a simple field, properties switched off, a pageBreakBefore
// they leave out, a table whose borders are its cells'.
TEST_F(DocxFileTest, FieldsSplitOverRunsAndFormattingReadAsOtherWordProcessorsWriteThem) {
  const std::string document = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body>)"
      R"(<w:p><w:pPr><w:pStyle w:val="Heading2"/><w:jc w:val="both"/><w:ind w:firstLine="420"/><w:rPr><w:b/></w:rPr></w:pPr>)"
      R"(<w:r><w:rPr><w:b w:val="false"/><w:sz w:val="24"/></w:rPr><w:t>坐落：</w:t></w:r>)"
      R"(<w:r><w:rPr></w:rPr><w:fldChar w:fldCharType="begin"></w:fldChar></w:r>)"
      R"(<w:r><w:instrText xml:space="preserve">TITLE</w:instrText><w:tab/><w:instrText xml:space="preserve">房屋坐落</w:instrText></w:r><w:r></w:r>)"
      R"(<w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:rPr><w:b/><w:i w:val="1"/></w:rPr><w:t xml:space="preserve">房屋</w:t></w:r>)"
      R"(<w:r><w:t>坐落</w:t></w:r><w:r></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r><w:r></w:r></w:p>)"
      R"(<w:p><w:fldSimple w:instr=" TITLE  用途 "><w:r><w:t>用途</w:t></w:r></w:fldSimple><w:r><w:br w:type="page"/></w:r></w:p>)"
      R"(<w:tbl><w:tblPr><w:tblW w:w="3000" w:type="dxa"/></w:tblPr><w:tblGrid><w:gridCol w:w="1000"/><w:gridCol w:w="2000"/></w:tblGrid>)"
      R"(<w:tr><w:tc><w:tcPr><w:tcBorders><w:top w:val="single" w:sz="4"/></w:tcBorders></w:tcPr><w:p><w:r><w:t>甲</w:t></w:r></w:p></w:tc>)"
      R"(<w:tc><w:p><w:r><w:t>乙</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)"
      R"(<w:tbl><w:tblPr><w:tblBorders><w:top w:val="nil"/></w:tblBorders></w:tblPr><w:tr><w:tc><w:p/></w:tc></w:tr></w:tbl><w:p/></w:body></w:document>)";
  DocumentContent doc = ReadDocx(Package({{"word/document.xml", document}}));
  const auto& heading = std::get<Paragraph>(doc.main.blocks[0]);
  EXPECT_EQ(heading.format, (ParagraphFormat{ParagraphStyle::Heading2, Alignment::Justify, 420}));
  ASSERT_EQ(heading.items.size(), 2u);
  EXPECT_EQ(std::get<word::Run>(heading.items[0]).format, (RunFormat{false, false, 24})) << "the paragraph mark's bold is not the text's";
  const Field& field = std::get<Field>(heading.items[1]);
  EXPECT_EQ(field.code, "TITLE 房屋坐落");
  EXPECT_EQ(field.result, "房屋坐落");
  EXPECT_EQ(field.format, (RunFormat{true, true, 0}));
  const auto& simple = std::get<Paragraph>(doc.main.blocks[1]);
  EXPECT_EQ(std::get<Field>(simple.items[0]).code, " TITLE  用途 ");
  EXPECT_EQ(std::get<word::Run>(simple.items[1]).text, "\f");
  const Table& bordered = std::get<Table>(doc.main.blocks[2]);
  EXPECT_TRUE(bordered.borders) << "a cell's border";
  EXPECT_EQ(bordered.columnWidths, (std::vector<int>{1000, 2000}));
  ASSERT_TRUE(std::holds_alternative<Paragraph>(doc.main.blocks[3])) << "adjacent tables stay two";
  EXPECT_FALSE(std::get<Table>(doc.main.blocks[4]).borders);
  EXPECT_TRUE(std::get<Table>(doc.main.blocks[4]).columnWidths.empty()) << "no grid: columns of equal width";

  // Written again, the TITLE field's keyword ends in a tab and reads back with its blank.
  const std::string again = WriteDocx(doc, false);
  EXPECT_TRUE(SameThroughDocx(ReadDocx(again).main, doc.main));
  PackageReader parts(again, kMaxFileBytes);
  EXPECT_NE(parts.Part("word/document.xml")->find("TITLE\t房屋坐落"), std::string::npos);
  EXPECT_NE(parts.Part("word/styles.xml")->find(R"(w:styleId="Heading2")"), std::string::npos);

  // Word in Chinese names its heading styles' ids "1", "2" …: the styles part says which is which.
  const std::string w = R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";
  const DocumentContent chinese = ReadDocx(Package(
      {{"word/document.xml", "<w:document " + w + R"(><w:body><w:p><w:pPr><w:pStyle w:val="1"/></w:pPr></w:p><w:p><w:pPr><w:pStyle w:val="a3"/></w:pPr></w:p></w:body></w:document>)"},
       {"word/_rels/document.xml.rels",
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="r1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>)"},
       {"word/styles.xml", "<w:styles " + w + R"(><w:style w:styleId="1"><w:name w:val="heading 1"/></w:style><w:style w:styleId="a3"><w:name w:val="Title"/></w:style></w:styles>)"}}));
  EXPECT_EQ(std::get<Paragraph>(chinese.main.blocks[0]).format.style, ParagraphStyle::Heading1);
  EXPECT_EQ(std::get<Paragraph>(chinese.main.blocks[1]).format.style, ParagraphStyle::Title);
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
  for (std::size_t end; (end = ours.find_first_of("\r\a\f", start)) != std::string::npos; start = end + 1) {
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
  EXPECT_EQ(fromLibreOffice.obj("Tables").get("Count").toInt32(), doc.obj("Tables").get("Count").toInt32());
}

// A firm's template passed through another word processor: LibreOffice writes the report template
// as its own .docx, a report is made from that and refreshed as a refresher does it.
TEST_F(LibreOfficeTest, ATemplateThroughLibreOfficeKeepsItsFieldsAndFormattingAndRefreshes) {
  const Object original = app.obj("Documents").call("Add", Bin(kTemplates[0])).toObject();
  const std::string dotx = (folder / "template.dotx").string();
  original.call("SaveAs2", dotx);
  const std::string before = Outline(original);
  original.call("Close", 0);
  const std::string theirs = Convert(dotx, "docx:MS Word 2007 XML", "docx");
  ASSERT_TRUE(LooksLikeZipFile(theirs));

  const Object report = app.obj("Documents").call("Add", theirs).toObject();
  EXPECT_EQ(Outline(report), before) << "every field with its code and result, every table";
  DocumentContent ours = ReadDocumentFile(dotx), passed = ReadDocumentFile(theirs);
  EXPECT_EQ(FormatOutline(passed.main), FormatOutline(ours.main)) << "styles, alignment, bold labels, borders and widths";

  report.obj("Fields").call("Update");
  const Object find = Selection().obj("Find");
  find.put("Text", "_SC003_");  // the key of 估价委托人, which the update shows
  find.obj("Replacement").put("Text", "某某房地产开发有限公司");
  find.call("Execute", Named("Replace", 2));
  const std::string text = report.obj("Content").get("Text").toText();
  EXPECT_EQ(text.find("_SC003_"), std::string::npos);
  const Object fields = report.obj("Fields");
  bool replacedInAField = false;
  for (std::int32_t i = 1; i <= fields.get("Count").toInt32(); ++i)
    replacedInAField = replacedInAField || fields.obj("Item", i).obj("Result").get("Text").toText() == "某某房地产开发有限公司";
  EXPECT_TRUE(replacedInAField);
}

}  // namespace
}  // namespace office::word
