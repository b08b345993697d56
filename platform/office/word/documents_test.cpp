// Documents from templates and from files, saving, closing, and files that cannot be read.

#include "platform/office/word/document_file.h"
#include "platform/office/word/word_test_support.h"

namespace office::word {
namespace {

using automation::Named;
using automation::Object;

constexpr const char* kTemplate = R"({"template": true, "title": "报告",
  "main": [{"paragraph": [{"text": "委托方："}, {"code": "TITLE {client}", "result": "{client}"}]},
           {"table": [[[{"text": "序号"}]], [[{"text": "1"}]]]}],
  "stories": {"primaryFooter": [{"paragraph": [{"text": "第页"}]}]},
  "bookmarks": [{"name": "shuqian_1", "start": 4, "end": 4}]})";

using DocumentsTest = WordTest;

TEST_F(DocumentsTest, AddMakesNewUnsavedDocumentsFromATemplate) {
  const std::string dot = Write("房产估价报告( 成本法).dot", kTemplate);
  const Object documents = app.obj("Documents");
  const Object first = documents.call("Add", dot).toObject();
  const Object second = documents.call("Add", Named("Template", dot)).toObject();
  EXPECT_EQ(first.get("Name").toText(), "文档1");
  EXPECT_EQ(second.get("FullName").toText(), "文档2");
  EXPECT_EQ(documents.get("Count").toInt32(), 2);
  EXPECT_EQ(app.obj("ActiveDocument").get("Name").toText(), "文档2");
  EXPECT_EQ(first.obj("Content").get("Text").toText(), "委托方：{client}\r序号\r\a\r\a1\r\a\r\a\r");
  EXPECT_EQ(first.get("BuiltInDocumentProperties", "Title").toText(), "报告");

  first.call("Range", 0, 4).toObject().put("Text", "改");
  EXPECT_EQ(first.obj("Content").get("Text").toText().substr(0, 4), "改{");
  EXPECT_EQ(second.obj("Tables").get("Count").toInt32(), 1) << "each document has its own content";
  first.call("Activate");
  EXPECT_EQ(app.obj("ActiveDocument").get("Name").toText(), "文档1");
  EXPECT_EQ(documents.obj("Item", "文档2").get("Name").toText(), "文档2");
  EXPECT_EQ(ErrorNumberOf([&] { documents.obj("Item", "文档3"); }), 4160);
}

TEST_F(DocumentsTest, OpenOpensTheFileItselfAndSaveAsWritesIt) {
  const std::string dot = Write("土地估价报告(基准地价和成本逼近).dot", kTemplate);
  const Object doc = app.obj("Documents").call("Open", Named("FileName", dot)).toObject();
  EXPECT_EQ(doc.get("Name").toText(), "土地估价报告(基准地价和成本逼近).dot");
  EXPECT_EQ(doc.get("FullName").toText(), dot);
  EXPECT_EQ(app.obj("Documents").call("Open", dot).toObject().get("Name").toText(), doc.get("Name").toText());
  EXPECT_EQ(app.obj("Documents").get("Count").toInt32(), 1) << "an open file is not opened twice";

  app.obj("Selection").call("WholeStory");
  app.obj("Selection").obj("Fields").call("Update");
  const std::string copy = (folder / "copy.dot").string();
  doc.call("SaveAs", copy);
  EXPECT_EQ(doc.get("Name").toText(), "copy.dot");
  doc.call("Close");
  const Object reopened = app.obj("Documents").call("Open", copy).toObject();
  EXPECT_EQ(reopened.obj("Content").get("Text").toText(), "委托方：{client}\r序号\r\a\r\a1\r\a\r\a\r");
  EXPECT_EQ(reopened.get("BuiltInDocumentProperties", "Title").toText(), "{client}");
  std::ifstream in(copy);
  const std::string file((std::istreambuf_iterator<char>(in)), {});
  for (const char* kept : {R"("template": true)", R"("primaryFooter")", R"("shuqian_1")", R"("code": "TITLE {client}")"})
    EXPECT_NE(file.find(kept), std::string::npos) << kept;
}

TEST_F(DocumentsTest, FormattingReadsBackFromTheOwnFormat) {
  const std::string blocks = R"([{"paragraph": [{"text": "报告", "bold": true, "size": 22}], "style": "title"},
      {"paragraph": [{"text": "正文", "italic": true, "size": 10.5}, {"code": "TITLE k", "result": "k", "bold": true}],
       "align": "justify", "indent": 420},
      {"paragraph": [{"text": "\f"}], "style": "heading3", "align": "right", "indent": -200},
      {"table": [[[{"text": "a"}], [{"text": "b"}]]], "borders": false, "widths": [1000, 3000]},
      {"paragraph": []}])";
  const Object doc = Open(blocks);
  const std::string saved = (folder / "again.doc").string();
  doc.call("SaveAs", saved);
  const DocumentContent first = ReadDocumentFile((folder / "report.doc").string()), second = ReadDocumentFile(saved);
  EXPECT_TRUE(first.main == second.main);
  const auto& body = std::get<Paragraph>(second.main.blocks[1]);
  EXPECT_EQ(body.format, (ParagraphFormat{ParagraphStyle::Normal, Alignment::Justify, 420}));
  EXPECT_EQ(std::get<word::Run>(body.items[0]).format, (RunFormat{false, true, 21}));
  EXPECT_TRUE(std::get<Field>(body.items[1]).format.bold);
  EXPECT_EQ(std::get<Paragraph>(second.main.blocks[2]).format.firstLineIndent, -200);
  EXPECT_EQ(std::get<Table>(second.main.blocks[3]).columnWidths, (std::vector<int>{1000, 3000}));
  EXPECT_FALSE(std::get<Table>(second.main.blocks[3]).borders);
  EXPECT_EQ(doc.obj("Content").get("Text").toText(), "报告\r正文k\r\f\ra\r\ab\r\a\r\a\r") << "formatting adds no characters";
}

TEST_F(DocumentsTest, ASavedDocumentAlwaysReadsBack) {
  const Object doc = Open(R"([{"paragraph": [{"text": "甲乙丙丁"}]}])", R"(, "bookmarks": [{"name": "b", "start": 4, "end": 5}])");
  doc.call("Range", 0, 4).toObject().put("Text", "");
  const std::string saved = (folder / "shorter.doc").string();
  doc.call("SaveAs", saved);
  doc.call("Close");
  EXPECT_EQ(app.obj("Documents").call("Open", saved).toObject().obj("Content").get("Text").toText(), "\r")
      << "the bookmark beyond the shortened story stays inside it";
}

TEST_F(DocumentsTest, SavedSaysWhetherAnythingChangedSinceTheLastSave) {
  const Object made = app.obj("Documents").call("Add", Write("模板.dot", kTemplate)).toObject();
  EXPECT_TRUE(made.get("Saved").toBool()) << "a document just made from a template has nothing to save";
  made.obj("Fields").call("Update");
  EXPECT_FALSE(made.get("Saved").toBool()) << "a program's change counts as any other";
  const std::string path = (folder / "报告.doc").string();
  made.call("SaveAs", path);
  EXPECT_TRUE(made.get("Saved").toBool());
  made.obj("Tables", 1).obj("Rows", 1).call("Select");
  app.obj("Selection").call("InsertRowsBelow", 1);
  EXPECT_FALSE(made.get("Saved").toBool());
  made.put("Saved", true);
  EXPECT_TRUE(made.get("Saved").toBool());
  made.put("Saved", false);
  EXPECT_FALSE(made.get("Saved").toBool()) << "Saved = False marks the document changed, as in Word";

  made.call("Close", Named("SaveChanges", -1));  // wdSaveChanges: to its own file, no question
  const Object reopened = app.obj("Documents").call("Open", path).toObject();
  EXPECT_EQ(reopened.obj("Tables", 1).obj("Rows").get("Count").toInt32(), 3);
  EXPECT_TRUE(reopened.get("Saved").toBool());
  reopened.call("Range", 0, 0).toObject().put("Text", "新");
  reopened.call("Close", Named("SaveChanges", 0));
  EXPECT_EQ(app.obj("Documents").call("Open", path).toObject().obj("Content").get("Text").toText().substr(0, 3), "委")
      << "wdDoNotSaveChanges leaves the file as it was";

  const Object untitled = app.obj("Documents").call("Add").toObject();
  untitled.call("Range", 0, 0).toObject().put("Text", "草稿");
  EXPECT_EQ(ErrorNumberOf([&] { untitled.call("Close", -1); }), 4198) << "never saved: no file to save to";
  EXPECT_EQ(untitled.get("Name").toText(), "文档2") << "and still open";
}

TEST_F(DocumentsTest, MissingAndMalformedFilesOpenNothing) {
  struct Case {
    const char* json;
    const char* says;
  };
  const Case cases[] = {
      {"{\"main\": [", "parse error"},
      {R"({"main": [{"paragraf": []}]})", "main[0]: unknown member \"paragraf\""},
      {R"({"main": [{"paragraph": [{"text": 5}]}]})", "main[0].paragraph[0].text: expected a text"},
      {R"({"main": [{"table": [[]]}]})", "main[0].table[0]: a row needs a cell"},
      {R"({"main": [], "bookmarks": [{"name": "b", "start": 0, "end": 9}]})", "bookmarks[0]: outside the main story"},
      {R"({"title": "no story"})", "no \"main\" story"},
      {"[1, 2]", "expected an object"},
      {"{\"main\": [{\"paragraph\": [{\"text\": \"\xff\"}]}]}", "parse error"},
      {R"({"main": [{"paragraph": [], "style": "heading4"}]})", "main[0].style: expected normal, heading1"},
      {R"({"main": [{"paragraph": [], "align": "middle"}]})", "main[0].align: expected left, center"},
      {R"({"main": [{"paragraph": [{"text": "a", "size": 0.3}]}]})", "main[0].paragraph[0].size: expected a size"},
      {R"({"main": [{"paragraph": [{"text": "a", "size": 10.25}]}]})", "in halves"},
      {R"({"main": [{"paragraph": [{"text": "a", "bold": 1}]}]})", "main[0].paragraph[0].bold: expected true or false"},
      {R"({"main": [{"table": [[[], []]], "widths": [100]}]})", "main[0].widths: expected one width per column"},
      {R"({"main": [{"table": [[[]]], "widths": [0]}]})", "main[0].widths[0]: expected twips from 1"},
      {R"({"main": [{"table": [[[]]], "style": "title"}]})", "a table has no"},
      {R"({"main": [{"paragraph": [], "table": [[[]]]}]})", "expected one of"},
  };
  const Object documents = app.obj("Documents");
  for (const Case& c : cases) {
    const std::string path = Write("bad.doc", c.json);
    try {
      documents.call("Open", path);
      ADD_FAILURE() << c.json << " opened";
    } catch (const automation::Error& e) {
      EXPECT_EQ(e.number(), 5792) << c.json;
      EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
      EXPECT_NE(e.description().find(path), std::string::npos) << e.description();
    }
    EXPECT_EQ(ErrorNumberOf([&] { documents.call("Add", path); }), 5792) << c.json;
  }
  const std::string deep = std::string(200000, '[') + std::string(200000, ']');
  EXPECT_EQ(ErrorNumberOf([&] { documents.call("Open", Write("deep.doc", deep)); }), 5792) << "no stack exhausted";
  EXPECT_EQ(ErrorNumberOf([&] { documents.call("Open", (folder / "房地产交易案例价格维护.doc").string()); }), 5174);
  EXPECT_EQ(ErrorNumberOf([&] { documents.call("Add", folder.string()); }), 5174) << "a folder is no file";
  EXPECT_EQ(documents.get("Count").toInt32(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { app.obj("ActiveDocument"); }), 4248);
  EXPECT_EQ(ErrorNumberOf([&] { app.obj("Selection"); }), 4248);
}

TEST_F(DocumentsTest, ASaveThatCannotBeWrittenKeepsTheOldFileByteForByte) {
  const Object doc = Open(R"([{"paragraph": [{"text": "估价报告"}]}])");
  const std::string saved = (folder / "报告.doc").string();
  doc.call("SaveAs", saved);
  const auto read = [&] {
    std::ifstream in(saved, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = read();
  doc.call("Range", 0, 2).toObject().put("Text", std::string("\xff坏"));
  try {
    doc.call("SaveAs", saved);
    ADD_FAILURE() << "saved a text that the file cannot hold";
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), 4198);
    EXPECT_NE(e.description().find("is not valid UTF-8"), std::string::npos) << e.description();
  }
  EXPECT_EQ(read(), before);
  EXPECT_EQ(ErrorNumberOf([&] { app.obj("Documents").call("Open", std::string("/dev/zero")); }), 5174) << "no endless read";
}

TEST_F(DocumentsTest, ObjectsOfAClosedDocumentFailCleanly) {
  const Object doc = Open(R"([{"table": [[[{"code": "TITLE k", "result": "k"}]]]}])");
  const Object other = app.obj("Documents").call("Add").toObject();
  const Object selection = doc.obj("ActiveWindow").obj("Selection");
  const Object find = selection.obj("Find");
  const Object cell = doc.obj("Tables", 1).call("Cell", 1, 1).toObject().obj("Range");
  const Object field = doc.obj("Fields", 1);
  doc.call("Activate");
  doc.call("Close");
  EXPECT_EQ(app.obj("ActiveDocument").get("Name").toText(), other.get("Name").toText()) << "another document is active";
  for (const auto& call : std::initializer_list<std::function<void()>>{
           [&] { doc.get("Name"); }, [&] { selection.call("WholeStory"); }, [&] { find.put("Text", "k"); },
           [&] { cell.get("Text"); }, [&] { field.obj("Code"); }, [&] { doc.call("Close"); }})
    EXPECT_EQ(ErrorNumberOf(call), 5825);
  app.call("Quit");
  EXPECT_TRUE(word->hasQuit());
  EXPECT_EQ(ErrorNumberOf([&] { other.get("Name"); }), 5825);
}

}  // namespace
}  // namespace office::word
