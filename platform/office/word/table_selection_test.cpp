// Tables as the result-table fill uses them, and selection positions.

#include "platform/office/word/word_test_support.h"

namespace office::word {
namespace {

using automation::Named;
using automation::Object;

struct TableSelectionTest : WordTest {
  Object Table(int index) { return app.obj("ActiveDocument").obj("Tables", index); }
  std::string CellText(const Object& table, int row, int column) {
    return table.call("Cell", row, column).toObject().obj("Range").get("Text").toText();
  }
};

// A result table: header, one data row, a closing row; then a one-row table.
constexpr const char* kTables = R"([
  {"paragraph": [{"text": "结果"}]},
  {"table": [[[{"text": "序号"}], [{"text": "价格"}]],
             [[{"text": "1"}], [{"code": "TITLE {p}", "result": "{p}"}]],
             [[{"text": "合计"}], [{"text": "100"}]]]},
  {"table": [[[{"text": "单行"}]]]}
])";

TEST_F(TableSelectionTest, RowsInsertedBelowRowTwoKeepTheClosingRowLast) {
  Open(kTables);
  const Object table = Table(1);
  const Object closing = table.obj("Rows", 3);
  table.obj("Rows", 2).call("Select");
  app.obj("Selection").call("InsertRowsBelow", 2);
  EXPECT_EQ(table.obj("Rows").get("Count").toInt32(), 5);
  EXPECT_EQ(CellText(table, 5, 1), "合计\r\a");
  EXPECT_EQ(CellText(table, 3, 2), "\r\a") << "new rows are empty";
  EXPECT_EQ(closing.obj("Cells", 1).obj("Range").get("Text").toText(), "合计\r\a") << "a row object follows its row";
  EXPECT_EQ(table.obj("Rows", 4).obj("Cells").get("Count").toInt32(), 2);

  table.call("Cell", 3, 2).toObject().obj("Range").put("Text", "12,345.60");
  EXPECT_EQ(CellText(table, 3, 2), "12,345.60\r\a");
  table.call("Cell", 2, 2).toObject().obj("Range").put("Text", "新");
  EXPECT_EQ(CellText(table, 2, 2), "新\r\a") << "a cell's text is replaced as a whole, its field included";
  EXPECT_EQ(app.obj("ActiveDocument").obj("Fields").get("Count").toInt32(), 0);
}

TEST_F(TableSelectionTest, MissingTablesRowsAndCellsFail) {
  Open(kTables);
  EXPECT_EQ(app.obj("ActiveDocument").obj("Tables").get("Count").toInt32(), 2);
  EXPECT_EQ(ErrorNumberOf([&] { Table(3); }), 5941);
  EXPECT_EQ(ErrorNumberOf([&] { Table(2).obj("Rows", 2).call("Select"); }), 5941) << "a table of a single row";
  EXPECT_EQ(ErrorNumberOf([&] { Table(1).call("Cell", 2, 3); }), 5941);
  EXPECT_EQ(Table(1).obj("Columns").get("Count").toInt32(), 2);
  Selection().call("SetRange", 0, 0);
  EXPECT_EQ(ErrorNumberOf([&] { Selection().call("InsertRowsBelow", 1); }), 4198) << "not in a table";
  EXPECT_EQ(Table(1).obj("Rows").get("Count").toInt32(), 3);
}

TEST_F(TableSelectionTest, GoToMovesToTables) {
  Open(kTables);
  Selection().call("GoTo", Named("What", 2), Named("Name", "shuqian_1"));
  EXPECT_EQ(Selection().get("Start").toInt32(), 3) << "the next table, after the first paragraph";
  Selection().call("GoTo", Named("What", 2), Named("Which", -1));
  const int second = Selection().get("Start").toInt32();
  EXPECT_GT(second, 3);
  EXPECT_EQ(ErrorNumberOf([&] { Selection().call("GoTo", Named("What", 2)); }), 5941) << "no table after the last";
  Selection().call("GoTo", Named("What", 2), Named("Which", 3));
  EXPECT_EQ(Selection().get("Start").toInt32(), 3);
  EXPECT_EQ(ErrorNumberOf([&] { Selection().call("GoTo", Named("What", 1)); }), 4120);
}

TEST_F(TableSelectionTest, WholeStoryAndMoveUpLeaveTheCursorAtTheStart) {
  Open(R"([{"paragraph": [{"text": "第一段"}]}, {"paragraph": [{"text": "第二段"}]}])");
  const Object selection = Selection();
  selection.call("WholeStory");
  EXPECT_EQ(selection.get("Start").toInt32(), 0);
  EXPECT_EQ(selection.get("End").toInt32(), 8);
  EXPECT_EQ(selection.get("Text").toText(), "第一段\r第二段\r");
  selection.call("MoveUp", Named("Unit", 4), Named("Count", 1));
  EXPECT_EQ(selection.get("Start").toInt32(), 0);
  EXPECT_EQ(selection.get("End").toInt32(), 0);

  selection.call("SetRange", 6, 6);
  EXPECT_EQ(selection.call("MoveUp", 4, 1).toInt32(), 1);
  EXPECT_EQ(selection.get("Start").toInt32(), 4) << "inside a paragraph: to its start";
  selection.call("MoveUp", 4, 1);
  EXPECT_EQ(selection.get("Start").toInt32(), 0) << "at a start: to the paragraph before";
  EXPECT_EQ(ErrorNumberOf([&] { selection.call("MoveUp"); }), 4120) << "by line needs a page layout";
}

TEST_F(TableSelectionTest, TypingAndSettingTextAtTheSelection) {
  Open(R"([{"paragraph": [{"text": "甲乙"}]}])");
  const Object selection = Selection();
  selection.call("SetRange", 1, 1);
  selection.call("TypeText", "和");
  EXPECT_EQ(MainText(), "甲和乙\r");
  EXPECT_EQ(selection.get("Start").toInt32(), 2);
  selection.put("End", 3);
  selection.put("Text", "丙丁");
  EXPECT_EQ(MainText(), "甲和丙丁\r");
  EXPECT_EQ(selection.get("Text").toText(), "丙丁");
  selection.call("SetRange", 4, 4);
  selection.call("TypeText", "\r新段");
  EXPECT_EQ(MainText(), "甲和丙丁\r新段\r");
  selection.call("SetRange", 0, 100);
  EXPECT_EQ(selection.get("End").toInt32(), 8) << "positions stop at the story's end";
}

}  // namespace
}  // namespace office::word
