// Find and replace through the selection's find object: where it reaches, what it keeps between
// calls, and what it refuses.

#include "platform/office/word/word_test_support.h"

namespace office::word {
namespace {

using automation::Named;
using automation::Object;

struct FindReplaceTest : WordTest {
  Object Find() { return Selection().obj("Find"); }
  bool ReplaceAll(const std::string& key, const std::string& value) {
    const Object find = Find();
    find.put("Text", key);
    find.obj("Replacement").put("Text", value);
    return find.call("Execute", Named("Replace", 2), Named("Forward", true)).toBool();
  }
};

constexpr const char* kReport = R"([
  {"paragraph": [{"text": "A key, a KEY; "}, {"code": "TITLE key", "result": "key"}]},
  {"table": [[[{"text": "key"}], [{"code": "TITLE key", "result": "key"}, {"text": " key"}]]]},
  {"paragraph": [{"text": "monkeys"}]}
])";
constexpr const char* kHeader = R"(, "stories": {"primaryHeader": [{"paragraph": [{"text": "key"}]}]})";

TEST_F(FindReplaceTest, ReplaceAllReachesTextFieldResultsAndCellsButNotHeaders) {
  Open(kReport, kHeader);
  Selection().call("SetRange", 0, 0);
  EXPECT_TRUE(ReplaceAll("key", "值"));
  EXPECT_EQ(MainText(), "A 值, a 值; 值\r值\r\a值 值\r\a\r\amon值s\r") << "no case, no whole words by default";
  EXPECT_EQ(app.obj("ActiveDocument").obj("Fields").obj("Item", 2).obj("Code").get("Text").toText(), "TITLE key");
  EXPECT_NE(SavedFile().find(R"("text": "key")"), std::string::npos) << "the header keeps its key";
  EXPECT_FALSE(ReplaceAll("key", "值")) << "nothing left to replace";
}

TEST_F(FindReplaceTest, TheUsersSettingsAndTheLastTextsPersist) {
  Open(kReport);
  const Object find = Find();
  EXPECT_FALSE(find.get("MatchCase").toBool());
  EXPECT_FALSE(find.get("MatchWholeWord").toBool());
  EXPECT_FALSE(find.get("MatchWildcards").toBool());
  find.put("matchcase", true);  // the user's own search
  find.put("MatchWholeWord", true);
  Selection().call("SetRange", 0, 0);
  EXPECT_TRUE(ReplaceAll("key", "值"));
  EXPECT_EQ(MainText(), "A 值, a KEY; 值\r值\r\a值 值\r\a\r\amonkeys\r");

  const Object later = app.obj("Selection").obj("Find");  // another program, taken afresh
  EXPECT_TRUE(later.get("MatchCase").toBool());
  EXPECT_EQ(later.get("Text").toText(), "key");
  EXPECT_EQ(later.obj("Replacement").get("Text").toText(), "值");
  later.call("ClearFormatting");
  later.obj("Replacement").call("ClearFormatting");
  EXPECT_TRUE(later.get("MatchWholeWord").toBool()) << "clearing formatting keeps the options";
}

TEST_F(FindReplaceTest, ReplacementCodes) {
  Open(R"([{"paragraph": [{"text": "k1 k2 k3 k4"}]}])");
  ReplaceAll("k1", "^^");
  ReplaceAll("k2", "[^&]");
  ReplaceAll("k3", "a^tb");
  EXPECT_EQ(MainText(), "^ [k2] a\tb k4\r");
  EXPECT_EQ(ErrorNumberOf([&] { ReplaceAll("k4", "10^2"); }), 5623);
  EXPECT_EQ(ErrorNumberOf([&] { ReplaceAll("k4", "end^"); }), 5623);
  EXPECT_EQ(MainText(), "^ [k2] a\tb k4\r") << "a refused replacement changes nothing";
  ReplaceAll("k4", "x^py");
  EXPECT_EQ(MainText(), "^ [k2] a\tb x\ry\r");
  EXPECT_EQ(app.obj("ActiveDocument").obj("Content").get("End").toInt32(), 15) << "^p makes a paragraph";
}

TEST_F(FindReplaceTest, TextsOver255CharactersAreRefused) {
  Open(R"([{"paragraph": [{"text": "k"}]}])");
  const Object find = Find();
  find.obj("Replacement").put("Text", "旧");
  std::string value(255, 'v');
  find.obj("Replacement").put("Text", value);
  EXPECT_EQ(ErrorNumberOf([&] { find.obj("Replacement").put("Text", value + "v"); }), 5854);
  EXPECT_EQ(find.obj("Replacement").get("Text").toText(), value) << "the previous text stays in force";
  EXPECT_EQ(ErrorNumberOf([&] { find.call("Execute", "k", Named("ReplaceWith", value + "v"), Named("Replace", 2)); }), 5854);
  EXPECT_EQ(MainText(), "k\r");
  std::string chinese;
  for (int i = 0; i < 255; ++i) chinese += "值";
  EXPECT_TRUE(ReplaceAll("k", chinese)) << "the limit counts characters, not bytes";
}

TEST_F(FindReplaceTest, EmptyFindTextAndPrefixKeys) {
  Open(R"([{"paragraph": [{"text": "a1 a10"}]}])");
  EXPECT_FALSE(ReplaceAll("", "x"));
  EXPECT_TRUE(ReplaceAll("a1", "甲"));
  EXPECT_FALSE(ReplaceAll("a10", "乙")) << "the earlier key rewrote the later one";
  EXPECT_EQ(MainText(), "甲 甲0\r");
}

TEST_F(FindReplaceTest, ASearchStartsAtTheSelectionAndWrapsOnlyWhenAsked) {
  Open(R"([{"paragraph": [{"text": "key one"}]}, {"paragraph": [{"text": "key two"}]}])");
  Selection().call("SetRange", 8, 8);
  EXPECT_TRUE(ReplaceAll("key", "K"));
  EXPECT_EQ(MainText(), "key one\rK two\r");
  const Object find = Find();
  find.put("Text", "key");
  EXPECT_TRUE(find.call("Execute", Named("Wrap", 1)).toBool()) << "a plain find wraps to the start";
  EXPECT_EQ(Selection().get("Start").toInt32(), 0);
  EXPECT_EQ(Selection().get("End").toInt32(), 3);
  EXPECT_EQ(Find().get("Wrap").toInt32(), 1) << "Execute's arguments stay set";

  Selection().call("SetRange", 4, 7);  // "one"
  find.put("Wrap", 0);
  find.put("Text", "o");
  find.obj("Replacement").put("Text", "0");
  find.call("Execute", Named("Replace", 2));
  EXPECT_EQ(MainText(), "key 0ne\rK two\r") << "a selected range bounds a replace-all";

  find.put("Text", "two");
  Selection().call("SetRange", 0, 0);
  EXPECT_TRUE(find.call("Execute", Named("Replace", 1)).toBool());
  EXPECT_EQ(MainText(), "key 0ne\rK 0\r");
  EXPECT_EQ(Selection().get("Text").toText(), "0") << "the replaced text is selected";
}

TEST_F(FindReplaceTest, MatchingThisWordCannotDoIsRefused) {
  Open(R"([{"paragraph": [{"text": "key"}]}])");
  Find().put("MatchWildcards", true);
  EXPECT_EQ(ErrorNumberOf([&] { ReplaceAll("k?y", "x"); }), 4198);
  EXPECT_EQ(MainText(), "key\r");
}

}  // namespace
}  // namespace office::word
