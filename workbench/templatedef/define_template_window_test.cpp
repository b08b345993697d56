#include "workbench/templatedef/define_template_window.h"

#include <gtest/gtest.h>

#include "workbench/common/program_files.h"
#include "workbench/templatedef/templatedef_test_support.h"

namespace {

using templatedef_testing::json;
using templatedef_testing::Object;

constexpr const char* kMarketGroupMessage =
    "当前表不是市场法项目表，只有市场法项目表在打开激活的状态才能选择市价法模板定义功能！";
constexpr const char* kLandGroupMessage =
    "当前表不是基准地价和成本逼近项目表，只有基准地价和成本逼近项目表在打开激活的状态才能选择基准地价和成本逼近模板定义功能！";

using StartUp = templatedef_testing::TemplateDefinitionTest;

TEST_F(StartUp, WithoutExcelTheExcelItCreatedEndsAndTheWindowDoesNotAppear) {
  EXPECT_FALSE(Show());
  EXPECT_FALSE(WindowOpen());
  EXPECT_FALSE(office::IsApplicationRunning("Excel.Application")) << "the invisible Excel is released";
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]["text"], "Excel没有启动，请启动Excel并打开项目表之后在使用本功能。");
  EXPECT_EQ(boxes[0]["title"], "提示");
  EXPECT_EQ(boxes[0]["icon"], "information");
}

TEST_F(StartUp, AnotherWorkbookOrNoneIsRefused) {
  StartExcel();
  EXPECT_FALSE(Show()) << "no workbook open";
  xl.obj("Workbooks").call("Add");
  EXPECT_FALSE(Show()) << "a workbook without the marker";
  EXPECT_FALSE(WindowOpen());
  EXPECT_TRUE(office::IsApplicationRunning("Excel.Application")) << "the user's Excel is left alone";
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const json& box : boxes) {
    EXPECT_EQ(box["text"], "当前表不是标准的Qorvane房地产估价表格，请打开标准的Qorvane房地产估价表格之后才能使用本功能。");
    EXPECT_EQ(box["title"], "提示");
    EXPECT_EQ(box["icon"], "information");
  }
}

TEST_F(StartUp, OnAProjectWorkbookTheWindowShowsItsControlsAsTheyStart) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  ASSERT_TRUE(Show());
  定义模板& w = window();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.Caption(), "定义模板");
  EXPECT_EQ(w.Frame1.Caption(), "选择");
  EXPECT_EQ(w.Label2.Caption(), "选择模板：");
  EXPECT_EQ(w.Label3.Caption(), "选择方法：");
  EXPECT_EQ(w.Label4.Caption(), "选择方法：");
  EXPECT_EQ(w.Combo1.Text(), "单击下拉框选择一个模板");
  EXPECT_EQ(w.Combo1.ListCount(), 3);
  EXPECT_EQ(w.Combo1.List(1), "房产估价报告( 成本法)");
  EXPECT_EQ(w.Combo2.Text(), "");
  EXPECT_EQ(w.Combo2.ListCount(), 5);
  EXPECT_EQ(w.Combo2.List(4), "基准地价");
  EXPECT_EQ(w.Combo3.Text(), "");
  EXPECT_EQ(w.Combo3.List(1), "房地产收益法评估测算表");
  EXPECT_FALSE(w.Combo3.Enabled());
  EXPECT_EQ(w.Combo4.ListCount(), 0);
  EXPECT_EQ(w.Command1.Caption(), "打开模板");
  EXPECT_EQ(w.Command2.Caption(), "插入(&Y)");
  EXPECT_EQ(w.Command3.Caption(), "关闭(&N)");
  EXPECT_EQ(w.Label5.Caption(),
            "注：在报告模板（word）打开并激活的状态下，光标定位插入点，单击\"选择公式\"下拉箭头并选中一个公式，单击\"插入\"按钮，"
            "该公式将被插入报告模版中光标点。");
  w.Combo2.ScriptChoose(1);
  Screenshot(w, "define_template_window");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(StartUp, HoweverClosedTheNextOpeningStartsAfresh) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  for (const bool byButton : {true, false}) {
    ASSERT_TRUE(Show());
    window().Combo1.ScriptChoose(0);
    window().Combo2.ScriptChoose(1);
    window().Combo3.ScriptChoose(0);
    ASSERT_GT(window().Combo4.ListCount(), 0);
    if (byButton) window().Command3.ScriptClick();
    else ui::Unload(window(), ui::UnloadMode::ControlMenu);
    EXPECT_FALSE(WindowOpen());
    ASSERT_TRUE(Show());
    EXPECT_EQ(window().Combo1.Text(), "单击下拉框选择一个模板");
    EXPECT_EQ(window().Combo4.ListCount(), 0);
    EXPECT_EQ(window().Combo3.Text(), "");
    EXPECT_FALSE(window().Combo3.Enabled());
    ui::Unload(window());
  }
}

// Each method's list on the workbook of its group, as the generated templates hold the names.
struct MethodList {
  const char* workbook;
  int method;
  int incomeTable;  // -1: none
  int count;
  const char* sheet;
  const char* firstName;  // its cell
};

class ValueLists : public templatedef_testing::TemplateDefinitionTest, public ::testing::WithParamInterface<MethodList> {};

TEST_P(ValueLists, ListTheNamesFromTheFirstRowToTheLastNamedOne) {
  const MethodList& m = GetParam();
  StartExcel();
  NewProjectWorkbook(m.workbook);
  ASSERT_TRUE(Show());
  for (int twice = 0; twice < 2; ++twice) {
    window().Combo2.ScriptChoose(m.method);
    if (m.incomeTable >= 0) window().Combo3.ScriptChoose(m.incomeTable);
    ASSERT_EQ(window().Combo4.ListCount(), m.count) << "the same list again, not a doubled one";
  }
  EXPECT_EQ(window().Combo4.List(0), Cell(m.sheet, m.firstName).get("Value").toText());
  EXPECT_NE(window().Combo4.List(0), "");
  EXPECT_EQ(window().Combo4.Text(), "");
  EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, ValueLists,
                         ::testing::Values(MethodList{"市场法.xlt", 0, -1, 297, "市场", "B2"},
                                           MethodList{"市场法.xlt", 1, 0, 152, "收益", "G3"},
                                           MethodList{"市场法.xlt", 1, 1, 61, "收益", "B2"},
                                           MethodList{"成本法.xlt", 2, -1, 314, "成本", "B2"},
                                           MethodList{"基准地价与成本逼近.xlt", 3, -1, 70, "成本逼近", "B2"},
                                           MethodList{"基准地价与成本逼近.xlt", 4, -1, 72, "基准地价", "B2"}));

using MethodChoice = templatedef_testing::TemplateDefinitionTest;

TEST_F(MethodChoice, TheWrongGroupShowsTheMethodsMessageAndListsNothing) {
  StartExcel();
  NewProjectWorkbook("成本法.xlt");
  ASSERT_TRUE(Show());
  window().Combo2.ScriptChoose(0);
  EXPECT_EQ(window().Combo4.ListCount(), 0);
  EXPECT_EQ(window().Combo3.Text(), "无");
  EXPECT_FALSE(window().Combo3.Enabled());
  window().Combo2.ScriptChoose(2);
  EXPECT_EQ(window().Combo4.ListCount(), 314) << "from 成本 alone";
  window().Combo2.ScriptChoose(1);
  EXPECT_EQ(window().Combo4.ListCount(), 0);
  EXPECT_FALSE(window().Combo3.Enabled()) << "the income tables stay closed";
  window().Combo2.ScriptChoose(3);
  window().Combo2.ScriptChoose(4);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0]["text"], kMarketGroupMessage);
  EXPECT_EQ(boxes[0]["title"], "提示");
  EXPECT_EQ(boxes[0]["icon"], "exclamation");
  EXPECT_EQ(boxes[1]["text"],
            "当前表不是市场法和收益法项目表，只有市场法和收益法项目表在打开激活的状态才能选择收益法模板定义功能！");
  EXPECT_EQ(boxes[2]["text"], kLandGroupMessage);
  EXPECT_EQ(boxes[3]["text"], kLandGroupMessage);

  NewProjectWorkbook("基准地价与成本逼近.xlt");
  window().Combo2.ScriptChoose(2);
  EXPECT_EQ(Boxes().back()["text"], "当前表不是成本法项目表，只有成本法项目表在打开激活的状态才能选择成本法模板定义功能！");
  EXPECT_EQ(window().Combo4.ListCount(), 0);
}

TEST_F(MethodChoice, AWorkbookClosedSinceTheLoadCountsAsTheWrongGroup) {
  StartExcel();
  const Object book = NewProjectWorkbook("市场法.xlt");
  ASSERT_TRUE(Show());
  book.call("Close");
  window().Combo2.ScriptChoose(0);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{kMarketGroupMessage});
  EXPECT_EQ(window().Combo4.ListCount(), 0);
}

TEST_F(MethodChoice, IncomeOpensTheTableChoiceWhoseEntriesFillTheList) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  ASSERT_TRUE(Show());
  window().Combo2.ScriptChoose(0);
  ASSERT_EQ(window().Combo4.ListCount(), 297);
  window().Combo2.ScriptChoose(1);
  EXPECT_TRUE(window().Combo3.Enabled());
  EXPECT_EQ(window().Combo3.Text(), "收益法租金市场调查比较表");
  EXPECT_EQ(window().Combo4.ListCount(), 0) << "setting the text is no choice";
  window().Combo3.ScriptChoose(0);
  EXPECT_EQ(window().Combo4.List(0), Cell("收益", "G3").get("Value").toText());
  window().Combo3.ScriptChoose(1);
  EXPECT_EQ(window().Combo3.Text(), "房地产收益法评估测算表");
  ASSERT_EQ(window().Combo4.ListCount(), 61);
  EXPECT_EQ(window().Combo4.List(0), Cell("收益", "B2").get("Value").toText());
  window().Combo2.ScriptChoose(0);
  EXPECT_EQ(window().Combo3.Text(), "无");
  EXPECT_FALSE(window().Combo3.Enabled());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(MethodChoice, TheListEndsAtTheFirstEmptyNameAndANumberIsListedAsItsText) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  Write("市场", "B3", 1234.5);
  Write("市场", "B40", automation::Variant());
  ASSERT_FALSE(Cell("市场", "B41").get("Value").toText().empty()) << "names follow the gap";
  ASSERT_TRUE(Show());
  window().Combo2.ScriptChoose(0);
  const auto names = Names();
  ASSERT_EQ(names.size(), 38u) << "rows 2 to 39";
  EXPECT_EQ(names[1], "1234.5");
  EXPECT_EQ(names[37], Cell("市场", "B39").get("Value").toText());
}

using OpenTemplate = templatedef_testing::TemplateDefinitionTest;

TEST_F(OpenTemplate, OpensTheTemplateFileItselfInTheRunningWord) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  StartWord();
  ASSERT_TRUE(Show());
  const char* files[] = {"房产估价报告(市场法和收益法).dot", "房产估价报告( 成本法).dot", "土地估价报告(基准地价和成本逼近).dot"};
  for (int i = 0; i < 3; ++i) {
    window().Combo1.ScriptChoose(i);
    window().Command1.ScriptClick();
    const Object document = wd.obj("ActiveDocument");
    EXPECT_EQ(document.get("Name").toText(), files[i]);
    EXPECT_EQ(document.get("FullName").toText(), workbench::ProgramFilePath(files[i]));
    EXPECT_GT(document.obj("Fields").get("Count").toInt32(), 0);
  }
  EXPECT_EQ(wd.obj("Documents").get("Count").toInt32(), 3);
  EXPECT_TRUE(WindowOpen());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(OpenTemplate, WithoutAChosenTemplateItAsksForOneAndLeavesWordAlone) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  ASSERT_TRUE(Show());
  window().Command1.ScriptClick();  // Word is not running: an attach would close the window
  EXPECT_TRUE(WindowOpen());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]["text"], "没有选择报告模板，请先在下拉框内选择一个报告模板后才能打开估价报告模板！");
  EXPECT_EQ(boxes[0]["title"], "Qorvane房地产估价系统");
  EXPECT_EQ(boxes[0]["icon"], "information");

  StartWord();
  window().Combo1.ScriptType("房产");
  window().Command1.ScriptClick();
  EXPECT_EQ(wd.obj("Documents").get("Count").toInt32(), 0) << "a typed text names no template";
  EXPECT_TRUE(WindowOpen());
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(OpenTemplate, WithoutWordTheWindowClosesWithTheWordMessage) {
  StartExcel();
  NewProjectWorkbook("市场法.xlt");
  ASSERT_TRUE(Show());
  window().Combo1.ScriptChoose(2);
  window().Command1.ScriptClick();
  EXPECT_FALSE(WindowOpen());
  EXPECT_FALSE(office::IsApplicationRunning("Word.Application"));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]["text"], "Word没有启动，请先启动WORD才能打开估价报告模板！");
  EXPECT_EQ(boxes[0]["title"], "Qorvane房地产估价系统");
  EXPECT_EQ(boxes[0]["icon"], "information");
}

}  // namespace
