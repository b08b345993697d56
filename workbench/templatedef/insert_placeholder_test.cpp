// The insert button: a placeholder field for the chosen name's key, over Word's selection.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "workbench/templatedef/define_template_window.h"
#include "workbench/templatedef/templatedef_test_support.h"

namespace {

using templatedef_testing::Object;

constexpr const char* kNotAProject = "当前表格不是标准的Qorvane房地产项目表！请打开或激活标准项目表在执行本功能。";
constexpr const char* kWordNotRunning = "Word没有启动，请先启动WORD才能打开估价报告模板！";

class InsertPlaceholder : public templatedef_testing::TemplateDefinitionTest {
 protected:
  void SetUp() override {
    TemplateDefinitionTest::SetUp();
    StartExcel();
    NewProjectWorkbook("市场法.xlt");
    ASSERT_TRUE(Show());
  }
  // A document in the running Word with the text typed and the selection from start to end.
  Object Document(const std::string& text, int start, int end) {
    if (!wd) StartWord();
    const Object document = wd.obj("Documents").call("Add").toObject();
    wd.obj("Selection").call("TypeText", text);
    wd.obj("Selection").call("SetRange", start, end);
    return document;
  }
  std::string Text(const Object& document) const { return document.obj("Content").get("Text").toText(); }
  int FieldCount(const Object& document) const { return document.obj("Fields").get("Count").toInt32(); }
  std::string Code(const Object& document) const {
    return document.obj("Fields").obj("Item", 1).obj("Code").get("Text").toText();
  }
  std::string Key(const char* sheet, const char* cell) const { return Cell(sheet, cell).get("Value").toText(); }
  static void Choose(int method, int entry) {
    window().Combo2.ScriptChoose(method);
    window().Combo4.ScriptChoose(entry);
  }
  static void Insert() { window().Command2.ScriptClick(); }
};

TEST_F(InsertPlaceholder, TheFifthMarketNameGivesTheKeyOfRowSixAtTheCursor) {
  const Object document = Document("资质：。", 3, 3);
  Choose(0, 4);
  Insert();
  const std::string key = Key("市场", "A6");
  ASSERT_EQ(key, "_SC006_");
  ASSERT_EQ(FieldCount(document), 1);
  EXPECT_EQ(Code(document), "TITLE " + key);
  EXPECT_EQ(Text(document), "资质：" + key + "。\r") << "the field shows its key";
  document.obj("Fields").call("Update");
  EXPECT_EQ(Text(document), "资质：" + key + "。\r");
  Insert();
  EXPECT_EQ(FieldCount(document), 2) << "one field per press, at the cursor behind the first";
  EXPECT_EQ(Text(document), "资质：" + key + key + "。\r");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(InsertPlaceholder, WithTextSelectedTheFieldTakesItsPlace) {
  const Object document = Document("坐落：某某路。", 3, 6);
  Choose(0, 15);
  Insert();
  EXPECT_EQ(Text(document), "坐落：" + Key("市场", "A17") + "。\r");
  EXPECT_EQ(Code(document), "TITLE " + Key("市场", "A17"));
}

TEST_F(InsertPlaceholder, TheIncomeTablesKeysStandInTheirOwnColumns) {
  const Object document = Document("", 0, 0);
  window().Combo2.ScriptChoose(1);
  window().Combo3.ScriptChoose(0);
  window().Combo4.ScriptChoose(4);
  Insert();
  ASSERT_EQ(Key("收益", "H7"), "_ZJ007_");
  EXPECT_EQ(Code(document), "TITLE _ZJ007_");

  window().Combo3.ScriptChoose(1);
  window().Combo4.ScriptChoose(30);
  Insert();
  EXPECT_EQ(document.obj("Fields").obj("Item", 2).obj("Code").get("Text").toText(), "TITLE " + Key("收益", "A32"));
  EXPECT_EQ(Text(document), "_ZJ007_" + Key("收益", "A32") + "\r");
}

TEST_F(InsertPlaceholder, EachLandMethodAndTheHouseCostTakeColumnAOfTheirSheet) {
  const struct {
    const char* workbook;
    int method;
    const char* sheet;
  } cases[] = {{"成本法.xlt", 2, "成本"}, {"基准地价与成本逼近.xlt", 3, "成本逼近"}, {"基准地价与成本逼近.xlt", 4, "基准地价"}};
  for (const auto& c : cases) {
    NewProjectWorkbook(c.workbook);
    const Object document = Document("", 0, 0);
    Choose(c.method, 9);
    Insert();
    EXPECT_EQ(Code(document), "TITLE " + Key(c.sheet, "A11")) << c.sheet;
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(InsertPlaceholder, TheKeyIsReadWhenInsertedAndANumberGoesAsItsText) {
  const Object document = Document("", 0, 0);
  Choose(0, 4);
  Write("市场", "A6", 42);
  Insert();
  EXPECT_EQ(Code(document), "TITLE 42");
}

TEST_F(InsertPlaceholder, WithoutAChosenEntryOrMethodNothingHappens) {
  const Object document = Document("正文", 1, 1);
  Insert();  // no method
  window().Combo2.ScriptChoose(0);
  Insert();  // no entry
  window().Combo4.ScriptChoose(2);
  window().Combo4.ScriptType("估价");
  Insert();  // a typed text
  NewProjectWorkbook("成本法.xlt");
  window().Combo2.ScriptChoose(0);
  Insert();  // the list stayed empty
  EXPECT_EQ(FieldCount(document), 0);
  EXPECT_EQ(Text(document), "正文\r");
  EXPECT_EQ(Boxes().size(), 1u) << "only the method's own message";
}

TEST_F(InsertPlaceholder, WithoutWordTheMessageComesAndTheWindowStays) {
  Choose(0, 4);
  Insert();
  EXPECT_TRUE(window().Visible());
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{kWordNotRunning});
  EXPECT_EQ(Boxes()[0]["title"], "Qorvane房地产估价系统");
  EXPECT_EQ(Boxes()[0]["icon"], "information");

  const Object document = Document("", 0, 0);
  Insert();
  EXPECT_EQ(FieldCount(document), 1) << "Word started since: the same window inserts";
}

TEST_F(InsertPlaceholder, OnAWorkbookWithoutTheMarkerOnlyTheMessageComes) {
  const Object document = Document("", 0, 0);
  Choose(0, 4);
  xl.obj("Workbooks").call("Add");
  Insert();
  EXPECT_EQ(FieldCount(document), 0);
  wd.call("Quit");
  wd = Object();
  Insert();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kNotAProject, kNotAProject})) << "the marker check comes first";
  EXPECT_EQ(Boxes()[0]["icon"], "information");
  EXPECT_EQ(Boxes()[0]["title"], "Qorvane房地产估价系统");
}

TEST_F(InsertPlaceholder, IntoTheOpenedTemplateWhichKeepsTheFieldWhenSaved) {
  StartWord();
  window().Combo1.ScriptChoose(0);
  window().Command1.ScriptClick();
  const Object dot = wd.obj("ActiveDocument");
  const int before = FieldCount(dot);
  wd.obj("Selection").call("SetRange", 0, 0);
  Choose(0, 4);
  Insert();
  ASSERT_EQ(FieldCount(dot), before + 1);
  const QTemporaryDir folder;
  const std::string saved = folder.filePath("房产估价报告(市场法和收益法).dot").toStdString();
  dot.call("SaveAs", saved);
  const Object report = wd.obj("Documents").call("Add", saved).toObject();
  EXPECT_EQ(report.obj("Fields").obj("Item", 1).obj("Code").get("Text").toText(), "TITLE _SC006_");
  EXPECT_EQ(Text(report).rfind("_SC006_", 0), 0u);
}

}  // namespace
