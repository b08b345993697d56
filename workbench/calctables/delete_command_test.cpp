// The delete command on the real templates: the last add taken back, the refusals, and the
// summary row cleared without touching the report's keys.

#include "workbench/calctables/calc_tables_test_support.h"

namespace 增加计算表::testing {
namespace {

constexpr const char* kLastTable = "      对不起，最后一个计算表格系统不允许在删除！";

struct DeleteTest : CalcTablesTest {
  void Add() {
    Answer(ui::kYes);
    AddCalculationTable();
  }
  void Delete() {
    Answer(ui::kOk);
    DeleteLastCalculationTable();
  }
};

TEST_F(DeleteTest, DeletesTakeBackTheLastAddsDownToTheFirstTable) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 2);
  Add();
  Add();
  Delete();
  EXPECT_EQ(Boxes().back(), "删除后将无法恢复，继续删除吗？");
  EXPECT_EQ(Number("市场法计算表", "B1"), 74);
  EXPECT_EQ(Number("市场法计算表", "C1"), 109);
  EXPECT_EQ(FormulaR1C1("市场法计算表", "D1"), "2");
  EXPECT_EQ(Text("市场法计算表", "N38"), "计算表编号：2");
  EXPECT_TRUE(Protected("市场法计算表"));
  EXPECT_TRUE(Value("估价结果汇总表", "A10").isEmpty());
  EXPECT_TRUE(Value("估价结果汇总表", "J10").isEmpty());
  EXPECT_EQ(Text("估价结果汇总表", "L10"), "_HZ003_") << "the keys stay";
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "市场法");
  EXPECT_EQ(ActiveSheet(), "估价结果汇总表");

  Delete();
  EXPECT_EQ(Number("市场法计算表", "B1"), 38);
  EXPECT_TRUE(Value("估价结果汇总表", "J9").isEmpty());

  const std::size_t before = Boxes().size();
  Delete();
  EXPECT_EQ(Boxes().size(), before + 2);
  EXPECT_EQ(Boxes().back(), kLastTable);
  EXPECT_EQ(Number("市场法计算表", "B1"), 38);
  EXPECT_FALSE(Value("估价结果汇总表", "J8").isEmpty()) << "row 8 is never cleared";
}

TEST_F(DeleteTest, AMethodOtherThanTheLastAddIsRefused) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 2);
  Add();
  Set("参数", "D1", 3);
  Delete();
  EXPECT_EQ(Boxes().back(),
            "当前拟删除的表格和最后添加计算表不一致，当前要删除的表格是：收益法计算表格 ，最后增加的计算表是：市场法"
            "，删除后将影响汇总估价结果！无法继续，请在参数页选择市场法的估价方法，然后再执行删除工作！");
  EXPECT_EQ(Number("市场法计算表", "D1"), 2);
  EXPECT_EQ(Text("估价结果汇总表", "J9"), "市场法");
}

TEST_F(DeleteTest, IncomeRemoversEachRefuseTheirLastTable) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 3);
  Delete();
  const std::vector<std::string> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1], kLastTable);
  EXPECT_EQ(boxes[2], kLastTable);
}

TEST_F(DeleteTest, CancelMarkerAndAnotherActiveSheet) {
  OpenProject("市场法.xlt");
  Set("参数", "D1", 2);
  Add();
  Answer(ui::kCancel);
  DeleteLastCalculationTable();
  EXPECT_EQ(Number("市场法计算表", "D1"), 2);

  // A remover that works on the active sheet leaves every other sheet alone.
  Sheet("参数").call("Select");
  DeleteMarketTable();
  EXPECT_EQ(Number("市场法计算表", "B1"), 74);
  EXPECT_EQ(Number("市场法计算表", "D1"), 2);

  Set("参数", "A1", "QORVANE房地产");
  DeleteLastCalculationTable();
  EXPECT_EQ(Boxes().back(), "当前表不是标准的Qorvane房地产估价项目表。无法继续！");
  EXPECT_EQ(Number("市场法计算表", "D1"), 2);
}

TEST_F(DeleteTest, ACostDeleteKeepsTheReportKeysOfItsRow) {
  OpenProject("成本法.xlt");
  Add();
  Delete();
  EXPECT_EQ(Number("成本法计算表", "B1"), 121);
  EXPECT_EQ(Number("成本法计算表", "D1"), 1);
  for (const char* cell : {"A9", "B9", "C9", "H9", "I9", "J9"}) EXPECT_TRUE(Value("估价结果汇总表", cell).isEmpty()) << cell;
  EXPECT_EQ(Text("估价结果汇总表", "L9"), "_HZ002_");
  EXPECT_EQ(Text("估价结果汇总表", "O9"), "_HZ032_");
}

TEST_F(DeleteTest, LandDeletes) {
  OpenProject("基准地价与成本逼近.xlt");
  Set("参数", "F1", 2);
  Add();
  Add();
  Delete();
  EXPECT_EQ(Number("基准地价计算表", "D1"), 2);
  EXPECT_EQ(Number("基准地价计算表", "B1"), 72);
  Sheet("基准地价计算表").call("Activate");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$B$44") << "B(B1 - 63) with B1 as read before";
  Sheet("估价结果汇总表").call("Activate");
  EXPECT_TRUE(Value("估价结果汇总表", "O10").isEmpty());
  EXPECT_EQ(Text("估价结果汇总表", "Q10"), "_TZ003_");
  Delete();
  Delete();
  EXPECT_EQ(Boxes().back(), kLastTable);
  EXPECT_EQ(ActiveSheet(), "估价结果汇总表") << "also when nothing was cleared";
}

}  // namespace
}  // namespace 增加计算表::testing
