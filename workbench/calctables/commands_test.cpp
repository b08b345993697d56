// The add and delete commands up to their changes: the checks, the questions and the refusals,
// on small workbooks in the stand-in Excel of this process.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"
#include "platform/ui/scripted_answers.h"
#include "platform/ui/test_support.h"
#include "workbench/calctables/calc_tables_module.h"

namespace 增加计算表 {
namespace {

using automation::Object;

office::ApplicationRegistry ExcelOnly() {
  office::ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  return registry;
}

struct Box {
  std::string title, text, buttons;
};

class Commands : public ::testing::Test {
 protected:
  ~Commands() override { excel = Object(); }

  // A workbook of the parameter sheet and the summary sheet, with the cells given by address.
  void Open(const std::string& parameterCells, const std::string& summaryCells = "") {
    // A new file each time: Excel activates a workbook that is open already instead.
    const std::string path = dir_.filePath(QString("项目%1.xls").arg(++files_)).toStdString();
    std::ofstream(path) << R"({"sheets": [{"name": "参数", "cells": {)" << parameterCells
                        << R"(}}, {"name": "估价结果汇总表", "cells": {)" << summaryCells << "}}]}";
    if (xl_.isNothing()) xl_ = office::CreateObject("Excel.Application");
    xl_.obj("Workbooks").call("Open", path);
  }

  std::vector<Box> Boxes() const {
    std::vector<Box> boxes;
    for (const auto& e : log_.entries())
      if (e["event"] == "msgbox") boxes.push_back({e["title"], e["text"], e["buttons"]});
    return boxes;
  }

  office::InProcessOffice office_{ExcelOnly()};
  ui::testing::ScriptedRunScope scripted_;
  ui::testing::CapturedLog log_;
  QTemporaryDir dir_;
  Object xl_;
  int files_ = 0;
};

constexpr const char* kMarker = R"("A1": {"value": "Qorvane房地产"})";

TEST_F(Commands, AddChecksTheMarkerThenTheOwnerBeforeItAsks) {
  Open(R"("A1": {"value": "Qorvane房地产 "}, "B1": {"value": "市场法"}, "D1": {"value": 2}, "E7": {"value": "张三"})");
  AddCalculationTable();
  Open(std::string(kMarker) + R"(, "B1": {"value": "市场法"}, "D1": {"value": 2})");
  AddCalculationTable();
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "当前表格不是标准的Qorvane房地产项目表！请打开或激活标准项目表在执行本功能。");
  EXPECT_EQ(boxes[0].title, "Qorvane房地产估价系统") << "no title of its own";
  EXPECT_EQ(boxes[1].title, "提示");
  EXPECT_EQ(boxes[1].text.rfind("参数页[房屋所有权人]没有填写", 0), 0u);
}

TEST_F(Commands, AddAsksOnlyForAKnownMethodAndANoChangesNothing) {
  Open(std::string(kMarker) + R"(, "B1": {"value": "市场法"}, "D1": {"value": "2"}, "E7": {"value": "张三"})");
  AddCalculationTable();  // the choice is text, not a number
  EXPECT_TRUE(Boxes().empty());

  Open(std::string(kMarker) + R"(, "B1": {"value": "基准地价和成本逼近"}, "F1": {"value": 3}, "E7": {"value": "张三"})");
  ui::QueueBoxAnswer(ui::kNo);
  AddCalculationTable();
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "添加成本逼近计算表");
  EXPECT_EQ(boxes[0].text, "确定要增加一个成本逼近计算表吗？确定请单击 是 ,取消则单击 否 !");
  EXPECT_EQ(boxes[0].buttons, "Yes/No");
  EXPECT_EQ(xl_.obj("ActiveSheet").get("Name").toText(), "参数");
}

TEST_F(Commands, DeleteRefusesWhenTheLastSummaryRowBelongsToAnotherMethod) {
  Open(std::string(kMarker) + R"(, "B1": {"value": "市场法"}, "D1": {"value": 2})",
       R"("B8": {"value": "张三"}, "J8": {"value": "市场法"}, "B9": {"value": "张三"}, "J9": {"value": "收益法"})");
  ui::QueueBoxAnswer(ui::kOk);
  DeleteLastCalculationTable();
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].title, "删除表");
  EXPECT_EQ(boxes[0].text, "删除后将无法恢复，继续删除吗？");
  EXPECT_EQ(boxes[1].text,
            "当前拟删除的表格和最后添加计算表不一致，当前要删除的表格是：市场法计算表格 ，最后增加的计算表是：收益法，"
            "删除后将影响汇总估价结果！无法继续，请在参数页选择收益法的估价方法，然后再执行删除工作！");
  EXPECT_EQ(xl_.obj("Worksheets", "估价结果汇总表").obj("Range", "J9").get("Value").toText(), "收益法");
}

TEST_F(Commands, DeleteInALandWorkbookReadsTheLastRowFromColumnAAndItsLabelFromO) {
  Open(std::string(kMarker) + R"(, "B1": {"value": "基准地价和成本逼近"}, "F1": {"value": 3})",
       R"("A8": {"value": "李四"}, "O8": {"value": "基准地价法"}, "B12": {"value": "not the owner column"})");
  ui::QueueBoxAnswer(ui::kOk);
  DeleteLastCalculationTable();
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text.rfind("当前拟删除的表格和最后添加计算表不一致，当前要删除的表格是：成本逼近计算表 ，最后增加的计算表是：基准地价法，", 0),
            0u);
}

TEST_F(Commands, DeleteWithoutTheMarkerOrAnsweredCancelDoesNothing) {
  Open(R"("A1": {"value": "qorvane房地产"}, "B1": {"value": "成本法"})");
  DeleteLastCalculationTable();
  Open(std::string(kMarker) + R"(, "B1": {"value": "成本法"})", R"("B8": {"value": "张三"}, "B9": {"value": "张三"})");
  DeleteLastCalculationTable();  // the question's default answer is Cancel
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "当前表不是标准的Qorvane房地产估价项目表。无法继续！");
  EXPECT_EQ(boxes[1].title, "删除表");
  EXPECT_EQ(xl_.obj("Worksheets", "估价结果汇总表").obj("Range", "B9").get("Value").toText(), "张三");
}

}  // namespace
}  // namespace 增加计算表

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  QCoreApplication::setApplicationName("calctables_test");
  ui::SetProgramTitle("Qorvane房地产估价系统");
  return RUN_ALL_TESTS();
}
