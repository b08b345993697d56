// The add command on the real templates: the grown sheets, their control cells and the summary
// row, for every method group and choice, and what it refuses.

#include "workbench/calctables/calc_tables_test_support.h"

namespace 增加计算表::testing {
namespace {

using automation::Error;

TEST_F(CalcTablesTest, MarketAddsAppendATableAndASummaryRow) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 2);
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{"确定要增加一个市场法计算表吗？确定请单击 是 ,取消则单击 否 !"}));
  EXPECT_EQ(Number("市场法计算表", "B1"), 74);
  EXPECT_EQ(Number("市场法计算表", "C1"), 109);
  EXPECT_EQ(FormulaR1C1("市场法计算表", "D1"), "2") << "a plain number";
  EXPECT_EQ(Text("市场法计算表", "N38"), "计算表编号：2");
  EXPECT_FALSE(Sheet("市场法计算表").obj("Rows", "38:73").get("Hidden").toBool());
  EXPECT_TRUE(Sheet("市场法计算表").obj("Rows", "74:109").get("Hidden").toBool());
  EXPECT_EQ(Sheet("市场法计算表").obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$73");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$B$53");
  EXPECT_FALSE(xl.get("CutCopyMode").toBool());
  EXPECT_TRUE(Protected("市场法计算表"));

  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "A9"), "=市场法计算表!R40C[2]");
  EXPECT_EQ(Text("估价结果汇总表", "A9"), Text("市场法计算表", "C40"));
  EXPECT_EQ(Text("估价结果汇总表", "B9"), "张三");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "H9"), "=市场法计算表!R72C3");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "I9"), "=市场法计算表!R72C13/10000");
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "市场法");
  EXPECT_TRUE(Protected("估价结果汇总表"));
  EXPECT_EQ(ActiveSheet(), "市场法计算表");

  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("市场法计算表", "B1"), 110);
  EXPECT_EQ(Number("市场法计算表", "D1"), 3);
  EXPECT_EQ(Text("市场法计算表", "N74"), "计算表编号：3");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "A10"), "=市场法计算表!R76C[2]") << "the newest block";
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "H10"), "=市场法计算表!R108C3");
}

TEST_F(CalcTablesTest, AWeightedAddGrowsThreeSheetsAndLinksTheIncomePair) {
  OpenProject("市场法.xlt");
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("市场法计算表", "D1"), 2);
  EXPECT_EQ(Number("收益法计算表1", "D1"), 2);
  EXPECT_EQ(Number("收益法计算表2", "D1"), 2);
  EXPECT_EQ(Text("收益法计算表1", "G59"), "计算表编号：2");
  EXPECT_EQ(Text("收益法计算表2", "I37"), "计算表编号：2");
  EXPECT_EQ(FormulaR1C1("收益法计算表2", "I41"), "=收益法计算表1!R109C5");
  EXPECT_EQ(Sheet("收益法计算表1").obj("PageSetup").get("PrintArea").toText(), "$A$2:$G$114");
  // The stand-in gives formulas back in its own spelling, without the blanks around " + ".
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "H9"), "=市场法计算表!R72C3/2+收益法计算表2!R66C9/2");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "I9"), "=市场法计算表!R72C13/2/10000+收益法计算表2!R67C9/2/10000");
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "市场法与收益法加权");
  EXPECT_EQ(ActiveSheet(), "市场法计算表");
  for (const char* column : {"A", "C", "E", "F", "G", "H", "I"})
    EXPECT_FALSE(Value("估价结果汇总表", std::string(column) + "9").isError()) << column;
}

TEST_F(CalcTablesTest, IncomeAndCostAdds) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 3);
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("市场法计算表", "D1"), 1) << "the market sheet stays";
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "A9"), "=收益法计算表2!R39C3");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "H9"), "=收益法计算表2!R66C9");
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "收益法");
  EXPECT_EQ(ActiveSheet(), "收益法计算表1");

  OpenProject("成本法.xlt");
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("成本法计算表", "B1"), 240);
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "A9"), "=成本法计算表!R123C3");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "H9"), "=成本法计算表!R236C14");
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "成本法");
  EXPECT_EQ(Sheet("成本法计算表").obj("PageSetup").get("PrintArea").toText(), "$A$2:$R$239");
  EXPECT_EQ(ActiveSheet(), "成本法计算表");
}

TEST_F(CalcTablesTest, LandAdds) {
  OpenProject("基准地价与成本逼近.xlt");
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("基准地价计算表", "D1"), 2);
  EXPECT_EQ(Number("成本逼近计算表", "D1"), 2);
  EXPECT_EQ(Text("基准地价计算表", "G37"), "计算表编号：2") << "35 rows below E1";
  EXPECT_EQ(Text("估价结果汇总表", "A9"), "张三");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "C9"), "=基准地价计算表!R42C6");
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "N9"),
            "=基准地价计算表!R70C3/2/10000+成本逼近计算表!R130C3/2/10000");
  EXPECT_EQ(Text("估价结果汇总表", "O9"), "基准地价与成本逼近加权");
  EXPECT_EQ(ActiveSheet(), "基准地价计算表");

  Set("参数", "F1", 3);
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("基准地价计算表", "D1"), 2);
  EXPECT_EQ(Number("成本逼近计算表", "D1"), 3);
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "C10"), "=成本逼近计算表!R136C2");
  EXPECT_EQ(Text("估价结果汇总表", "O10"), "成本逼近法");
  EXPECT_EQ(ActiveSheet(), "成本逼近计算表");
}

TEST_F(CalcTablesTest, RefusalsChangeNothing) {
  OpenProject("市场法.xlt", nullptr);
  AddCalculationTable();
  EXPECT_EQ(Boxes().back(),
            "参数页[房屋所有权人]没有填写,这将影响到汇总数据！程序将终止。请返回参数页填写房屋所有权人后在继续增加计算表！");

  Set("参数", "E7", "张三");
  Answer(ui::kNo);
  AddCalculationTable();
  Set("参数", "D1", 4);
  AddCalculationTable();
  EXPECT_EQ(Boxes().size(), 2u) << "no question for a choice outside 1 to 3";

  Set("参数", "D1", 1);
  Set("参数", "A1", "Qorvane房地产 ");
  AddCalculationTable();
  EXPECT_EQ(Boxes().back(), "当前表格不是标准的Qorvane房地产项目表！请打开或激活标准项目表在执行本功能。");
  EXPECT_EQ(log.entries().back().value("title", ""), "Qorvane房地产估价系统") << "the program's title";
  EXPECT_EQ(Number("市场法计算表", "D1"), 1);
  EXPECT_EQ(Number("市场法计算表", "B1"), 38);
  EXPECT_TRUE(Protected("市场法计算表"));
  EXPECT_TRUE(Value("估价结果汇总表", "J9").isEmpty());
}

TEST_F(CalcTablesTest, WithoutAWorkbookTheCommandEndsSilently) {
  EXPECT_THROW(AddCalculationTable(), Error);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(CalcTablesTest, AFailingWriterLeavesTheSummaryProtected) {
  OpenProject("市场法.xlt");
  Set("收益法计算表2", "T1", "abc");
  Answer(ui::kYes);
  EXPECT_THROW(AddCalculationTable(), Error) << "the failure ends the command and reaches the toolbar";
  EXPECT_TRUE(Protected("估价结果汇总表"));
  EXPECT_TRUE(Value("估价结果汇总表", "C9").isEmpty()) << "ended at the read, before the cells";
  EXPECT_EQ(Number("市场法计算表", "D1"), 2) << "nothing is rolled back";
}

TEST_F(CalcTablesTest, AWriterThatSkipsFailuresWritesNoLinkFromAnUnreadRow) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 3);
  Set("收益法计算表2", "R1", "abc");
  WriteIncomeSummaryRow();
  EXPECT_EQ(Text("估价结果汇总表", "B9"), "张三");
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "收益法");
  for (const char* cell : {"A9", "C9", "E9", "F9", "G9", "H9", "I9"})
    EXPECT_TRUE(Value("估价结果汇总表", cell).isEmpty()) << cell << " would link into row 0 or 27";
  EXPECT_TRUE(Protected("估价结果汇总表"));
}

}  // namespace
}  // namespace 增加计算表::testing
