// Placeholder fields through a refresh as the refreshers run it: whole story, update the fields,
// move up a paragraph, then one replace-all per key with the selection's find object.

#include <utility>
#include <vector>

#include "platform/office/word/document_file.h"
#include "platform/office/word/word_test_support.h"

namespace office::word {
namespace {

using automation::Named;
using automation::Object;
using Values = std::vector<std::pair<std::string, std::string>>;

struct FieldRefreshTest : WordTest {
  void Refresh(const Values& values) {
    const Object selection = app.obj("Documents", app.obj("ActiveDocument").get("Name")).obj("ActiveWindow").obj("Selection");
    selection.call("WholeStory");
    selection.obj("Fields").call("Update");
    selection.call("MoveUp", Named("Unit", 4), Named("Count", 1));
    const Object find = selection.obj("Find");
    for (const auto& [key, value] : values) {
      find.put("Text", key);
      find.obj("Replacement").put("Text", value);
      find.call("Execute", Named("Replace", 2), Named("Forward", true));
    }
  }
  // A field for the key at the cursor, as the template definition window adds it.
  void InsertPlaceholder(const std::string& key) {
    Selection().obj("Fields").call("Add", Named("Range", app.obj("Selection").obj("Range")), Named("Text", "TITLE " + key));
  }
};

TEST_F(FieldRefreshTest, UpdateShowsTheKeyAndSetsTheTitle) {
  Open(R"([{"paragraph": [{"text": "权利人："}, {"code": "TITLE {owner}", "result": "张三"},
                          {"code": " title \"{quoted key}\" "}, {"code": "TITLE"}, {"code": "PAGE", "result": "3"}]}])",
       R"(, "stories": {"primaryHeader": [{"paragraph": [{"code": "TITLE {owner}", "result": "页眉"}]}]})");
  Selection().call("WholeStory");
  Selection().obj("Fields").call("Update");
  EXPECT_EQ(MainText(), "权利人：{owner}{quoted key}{quoted key}3\r");
  EXPECT_EQ(app.obj("ActiveDocument").get("BuiltInDocumentProperties", "Title").toText(), "{quoted key}");
  const Object fields = app.obj("ActiveDocument").obj("Fields");
  EXPECT_EQ(fields.get("Count").toInt32(), 4);
  EXPECT_EQ(fields.obj("Item", 1).get("Type").toInt32(), 15);
  EXPECT_EQ(fields.obj("Item", 4).get("Type").toInt32(), -1);
  EXPECT_EQ(fields.obj("Item", 1).obj("Code").get("Text").toText(), "TITLE {owner}");
  EXPECT_NE(SavedFile().find(R"("result": "页眉")"), std::string::npos) << "headers are not updated";
}

TEST_F(FieldRefreshTest, ValuesTakeTheFormattingOfTheKeysTheyReplace) {
  Open(R"([{"paragraph": [{"text": "估价结果", "bold": true}, {"code": "TITLE {total}", "bold": true, "size": 16},
                          {"text": "万元"}], "style": "heading1", "align": "center"},
           {"table": [[[{"text": "{owner}", "italic": true}]]], "widths": [4000]}])");
  Refresh({{"{total}", "123.45"}, {"{owner}", "张三"}});
  EXPECT_EQ(MainText(), "估价结果123.45万元\r张三\r\a\r\a\r");
  SavedFile();
  DocumentContent saved = ReadDocumentFile((folder / "saved.doc").string());
  const auto& heading = std::get<Paragraph>(saved.main.blocks[0]);
  EXPECT_EQ(heading.format.style, ParagraphStyle::Heading1) << "a refresh keeps the paragraph's style";
  EXPECT_EQ(std::get<Field>(heading.items[1]).result, "123.45");
  EXPECT_EQ(std::get<Field>(heading.items[1]).format, (RunFormat{true, false, 32})) << "a value in a bold heading stays bold";
  const Cell& cell = std::get<Table>(saved.main.blocks[1]).rows[0].cells[0];
  EXPECT_EQ(std::get<word::Run>(cell.items[0]).format, (RunFormat{false, true, 0}));
}

TEST_F(FieldRefreshTest, ReplaceChangesOnlyTheResultSoARefreshIsRepeatable) {
  Open(R"([{"paragraph": [{"text": "坐落 {addr}；"}, {"code": "TITLE {addr}", "result": ""}]}])");
  Refresh({{"{addr}", "中山路1号"}});
  EXPECT_EQ(MainText(), "坐落 中山路1号；中山路1号\r");
  const Object field = app.obj("ActiveDocument").obj("Fields").obj("Item", 1);
  EXPECT_EQ(field.obj("Code").get("Text").toText(), "TITLE {addr}");
  EXPECT_EQ(field.obj("Result").get("Text").toText(), "中山路1号");

  Refresh({{"{addr}", "人民路2号"}});
  EXPECT_EQ(MainText(), "坐落 中山路1号；人民路2号\r") << "typed keys are consumed by the first refresh";
}

TEST_F(FieldRefreshTest, TenFieldsSurviveRefreshEditAndRefresh) {
  std::string paragraphs = "[";
  Values first, second;
  for (int i = 0; i < 10; ++i) {
    const std::string key = "{k" + std::to_string(i) + "}";
    paragraphs += std::string(i ? "," : "") + R"({"paragraph": [{"text": "第)" + std::to_string(i) +
                  R"(项："}, {"code": "TITLE )" + key + R"("}]})";
    first.emplace_back(key, "值" + std::to_string(i));
    second.emplace_back(key, "新值" + std::to_string(i));
  }
  paragraphs += "]";
  Open(paragraphs);
  Refresh(first);
  Selection().call("SetRange", 0, 0);
  Selection().call("TypeText", "修改后 ");
  Refresh(second);
  const std::string refreshedTwice = MainText();

  app.obj("Documents").call("Open", Write("fresh.doc", R"({"main": )" + paragraphs + "}"));
  Selection().call("SetRange", 0, 0);
  Selection().call("TypeText", "修改后 ");
  Refresh(second);
  EXPECT_EQ(refreshedTwice, MainText());
  EXPECT_NE(refreshedTwice.find("第9项：新值9\r"), std::string::npos);
}

TEST_F(FieldRefreshTest, AddAtTheCursorAndOverASelection) {
  Open(R"([{"paragraph": [{"text": "估价对象位于XX，用途住宅。"}]}])");
  Selection().call("SetRange", 6, 6);
  InsertPlaceholder("{addr}");
  EXPECT_EQ(MainText(), "估价对象位于{addr}XX，用途住宅。\r") << "updated at once: it shows its key";
  const int afterField = 6 + 21;  // begin mark, "TITLE {addr}", separator, "{addr}", end mark
  EXPECT_EQ(Selection().get("Start").toInt32(), afterField) << "the cursor follows the field";

  Selection().call("SetRange", afterField + 5, afterField + 7);
  EXPECT_EQ(Selection().get("Text").toText(), "住宅");
  InsertPlaceholder("{use}");
  EXPECT_EQ(MainText(), "估价对象位于{addr}XX，用途{use}。\r") << "the field takes the selection's place";
  EXPECT_EQ(app.obj("ActiveDocument").obj("Fields").get("Count").toInt32(), 2);
}

TEST_F(FieldRefreshTest, AddRefusesWhatWouldBreakTheStory) {
  Open(R"([{"paragraph": [{"text": "甲"}, {"code": "TITLE k", "result": "k"}]}, {"paragraph": [{"text": "乙"}]}])");
  const Object fields = Selection().obj("Fields");
  Selection().call("SetRange", 0, 6);
  EXPECT_EQ(ErrorNumberOf([&] { fields.call("Add", app.obj("Selection").obj("Range"), -1, "TITLE x"); }), 4120)
      << "across paragraphs";
  Selection().call("SetRange", 3, 3);
  EXPECT_EQ(ErrorNumberOf([&] { fields.call("Add", app.obj("Selection").obj("Range"), -1, "TITLE x"); }), 4120)
      << "inside a field's code";
  EXPECT_EQ(ErrorNumberOf([&] { fields.call("Add", "not a range", -1, "TITLE x"); }), automation::errors::kObjectRequired);
  EXPECT_EQ(MainText(), "甲k\r乙\r");
}

}  // namespace
}  // namespace office::word
