#include "workbench/shell/instant_help_window.h"

#include <gtest/gtest.h>

#include "workbench/shell/windows_test_support.h"

namespace {

class InstantHelp : public shell_testing::OfficeTest {
 protected:
  void SetUp() override {
    OfficeTest::SetUp();
    StartExcel();
    Open(shell_testing::ProjectWorkbook("参数"));
  }
  void Activate(const char* sheet) const { xl.obj("Worksheets", sheet).call("Activate"); }
  static Form2* window() { return static_cast<Form2*>(ui::FindLoadedForm("Form2")); }
  static void Close() { ui::Unload(*window()); }
};

constexpr const char* kM3toM8 =
    "2、允许使用[市场法交易案例查询]功能：\n"
    "   操作步骤：单击系统工具条左起第七个按钮，在弹出的窗体中用户可以进行查找，允许用户将查找到的交易案例插入到市场法计算表中。\n"
    "3、本页中无颜色的区域允许用户进行编辑，有颜色区域则已经锁定不可编辑。\n"
    "4、本页第一个计算表系统已经设定为技术报告中的技术案例，在刷新报告时将自动更新至报告中。\n"
    "5、如果存在多余的计算表用户可以使用系统自带的删除功能将其删除。\n"
    "6、评估价值均是自动生成！其他更多的帮助信息请单击Ctrl+B。";
constexpr const char* kC3toC6 =
    "2、本页中无颜色的区域允许用户进行编辑，有颜色区域则已经锁定不可编辑。\n"
    "3、本页第一个计算表系统已经设定为技术报告中的技术案例，在刷新报告时将自动更新至报告中。\n"
    "4、如果存在多余的计算表用户可以使用系统自带的删除功能将其删除。\n"
    "5、评估价值均是自动生成！其他更多的帮助信息请单击Ctrl+B。";
constexpr const char* kC1C2 =
    "1、在本页用户可以使用[增加计算表]功能。\n"
    "   操作步骤：单击系统工具条左起第三个按钮，每次增加一个计算表。\n";

struct Expected {
  const char* sheet;
  const char* caption;
  const char* frame;
  std::string text;
};

TEST_F(InstantHelp, EverySheetOfTheTableGetsItsCaptionsAndText) {
  const std::vector<Expected> table = {
      {"参数", "即时帮助", "向导",
       "当前的表格为首页的基本信息表。用户必须在当前表中录入必要的项目参数。这些参数将会自动刷新到估价报告中。\n"
       "2、在本页需选择计算表估价类型。\n"
       "更多的帮助信息请单击Ctrl+B。"},
      {"市场法计算表", "市场法计算表即时帮助", "提示",
       std::string("1、在本页用户可以使用[增加计算表]功能：\n"
                   "   操作步骤：单击系统工具条左起第三个按钮，每次增加一个计算表。\n") +
           kM3toM8},
      {"收益法计算表1", "收益法计算表1即时帮助", "提示",
       std::string("1、收益法计算表1和收益法计算表2需组合使用。使用[增加计算表]功能时收益法计算表2将同时增加。\n"
                   "   操作步骤：录入适当租金案例，在求取客观租金后需要手动录入到收益法计算表2中。\n") +
           kM3toM8},
      {"收益法计算表2", "收益法计算表2即时帮助", "提示",
       std::string("1、收益法计算表1和收益法计算表2需组合使用。\n"
                   "   将收益法计算表1中的客观租金手动录入到本计算表中。\n") +
           kC3toC6},
      {"成本法计算表", "成本法计算表即时帮助", "提示", std::string(kC1C2) + kC3toC6},
      {"基准地价计算表", "基准地价和成本逼近即时帮助", "提示", std::string(kC1C2) + kC3toC6},
      {"成本逼近计算表", "基准地价和成本逼近即时帮助", "提示", std::string(kC1C2) + kC3toC6},
      {"估价结果汇总表", "估价结果汇总表即时帮助", "提示", "2、评估价值均是自动生成公式链接！其他更多的帮助信息请单击Ctrl+B。"},
  };
  for (const Expected& row : table) {
    Activate(row.sheet);
    ShowInstantHelp();
    ASSERT_NE(window(), nullptr) << row.sheet;
    EXPECT_TRUE(window()->Visible());
    EXPECT_EQ(window()->Caption(), row.caption) << row.sheet;
    EXPECT_EQ(window()->Frame1.Caption(), row.frame) << row.sheet;
    EXPECT_EQ(window()->RichTextBox1.Text(), row.text) << row.sheet;
    EXPECT_EQ(window()->Label1.Caption(), "注：项目表每个页面均可得到及时的帮助信息");
    Screenshot(*window(), std::string("instant_help_window-") + row.sheet);
    Close();
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(InstantHelp, TheTextStaysUntilTheWindowIsLoadedAgain) {
  ShowInstantHelp();
  Activate("估价结果汇总表");
  ShowInstantHelp();
  EXPECT_EQ(window()->Caption(), "即时帮助");
  EXPECT_EQ(window()->RichTextBox1.Text().substr(0, 9), "当前的");
  Close();
  ShowInstantHelp();
  EXPECT_EQ(window()->Caption(), "估价结果汇总表即时帮助");
}

TEST_F(InstantHelp, ASheetWithoutHelpOrNoWorkbookOnlyWarns) {
  auto expectWarningOnly = [&](const char* when) {
    ShowInstantHelp();
    EXPECT_EQ(window(), nullptr) << when;
    const auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty()) << when;
    EXPECT_EQ(boxes.back()["text"], "该表格与系统无任何关联！无帮助信息。其他更多的帮助信息请单击Ctrl+B") << when;
    EXPECT_EQ(boxes.back()["icon"], "exclamation");
    EXPECT_EQ(boxes.back()["title"], "提示");
  };
  Activate("说明");
  expectWarningOnly("unknown sheet");
  xl.obj("ActiveWorkbook").call("Close");
  expectWarningOnly("no workbook");
  xl.call("Quit");
  xl = automation::Object();
  expectWarningOnly("no Excel");
  EXPECT_EQ(Boxes().size(), 3u);
  for (const auto& e : log_.entries()) EXPECT_NE(e["event"], "form") << e.dump();
}

}  // namespace
