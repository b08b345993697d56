#include "workbench/shell/instant_help_window.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/error.h"
#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/common/office_attach.h"

namespace {

// The help of the sheets that have one, keyed by the sheet's exact name.
struct SheetHelp {
  std::vector<std::string_view> sheets;
  const char* windowCaption;  // nullptr: the window keeps its caption
  const char* frameCaption;   // nullptr: the frame keeps its caption
  std::vector<const char*> lines;
};


// Lines that several texts share.
constexpr const char* kAddStep = "   操作步骤：单击系统工具条左起第三个按钮，每次增加一个计算表。";
constexpr const char* kCaseQuery = "2、允许使用[市场法交易案例查询]功能：";
constexpr const char* kCaseQueryStep =
    "   操作步骤：单击系统工具条左起第七个按钮，在弹出的窗体中用户可以进行查找，允许用户将查找到的交易案例插入到市场法计算表中。";
constexpr const char* kMarketColours = "3、本页中无颜色的区域允许用户进行编辑，有颜色区域则已经锁定不可编辑。";
constexpr const char* kMarketFirstTable = "4、本页第一个计算表系统已经设定为技术报告中的技术案例，在刷新报告时将自动更新至报告中。";
constexpr const char* kMarketDelete = "5、如果存在多余的计算表用户可以使用系统自带的删除功能将其删除。";
constexpr const char* kMarketValues = "6、评估价值均是自动生成！其他更多的帮助信息请单击Ctrl+B。";
constexpr const char* kCostAdd = "1、在本页用户可以使用[增加计算表]功能。";
constexpr const char* kCostColours = "2、本页中无颜色的区域允许用户进行编辑，有颜色区域则已经锁定不可编辑。";
constexpr const char* kCostFirstTable = "3、本页第一个计算表系统已经设定为技术报告中的技术案例，在刷新报告时将自动更新至报告中。";
constexpr const char* kCostDelete = "4、如果存在多余的计算表用户可以使用系统自带的删除功能将其删除。";
constexpr const char* kCostValues = "5、评估价值均是自动生成！其他更多的帮助信息请单击Ctrl+B。";

const std::array<SheetHelp, 7>& HelpTable() {
  static const std::array<SheetHelp, 7> table = {{
      {{"参数"},
       nullptr,
       nullptr,
       {"当前的表格为首页的基本信息表。用户必须在当前表中录入必要的项目参数。这些参数将会自动刷新到估价报告中。",
        "2、在本页需选择计算表估价类型。", "更多的帮助信息请单击Ctrl+B。"}},
      {{"市场法计算表"},
       "市场法计算表即时帮助",
       "提示",
       {"1、在本页用户可以使用[增加计算表]功能：", kAddStep, kCaseQuery, kCaseQueryStep, kMarketColours, kMarketFirstTable,
        kMarketDelete, kMarketValues}},
      {{"收益法计算表1"},
       "收益法计算表1即时帮助",
       "提示",
       {"1、收益法计算表1和收益法计算表2需组合使用。使用[增加计算表]功能时收益法计算表2将同时增加。",
        "   操作步骤：录入适当租金案例，在求取客观租金后需要手动录入到收益法计算表2中。", kCaseQuery, kCaseQueryStep,
        kMarketColours, kMarketFirstTable, kMarketDelete, kMarketValues}},
      {{"收益法计算表2"},
       "收益法计算表2即时帮助",
       "提示",
       {"1、收益法计算表1和收益法计算表2需组合使用。", "   将收益法计算表1中的客观租金手动录入到本计算表中。", kCostColours, kCostFirstTable, kCostDelete,
        kCostValues}},
      {{"成本法计算表"},
       "成本法计算表即时帮助",
       "提示",
       {kCostAdd, kAddStep, kCostColours, kCostFirstTable, kCostDelete, kCostValues}},
      {{"基准地价计算表", "成本逼近计算表"},
       "基准地价和成本逼近即时帮助",
       "提示",
       {kCostAdd, kAddStep, kCostColours, kCostFirstTable, kCostDelete, kCostValues}},
      {{"估价结果汇总表"}, "估价结果汇总表即时帮助", "提示", {"2、评估价值均是自动生成公式链接！其他更多的帮助信息请单击Ctrl+B。"}},
  }};
  return table;
}


// The first entry that names the sheet.
const SheetHelp* HelpForSheet(std::string_view sheet) {
  for (const SheetHelp& help : HelpTable())
    if (std::find(help.sheets.begin(), help.sheets.end(), sheet) != help.sheets.end()) return &help;
  return nullptr;
}

std::string Joined(const std::vector<const char*>& lines) {
  std::string text;
  for (const char* line : lines) text += (text.empty() ? "" : "\n") + std::string(line);
  return text;
}

}  // namespace

Form2::Form2() : Form("Form2") {
  setCaption("即时帮助");
  setBorderStyle(ui::BorderStyle::FixedSingle);
  // Tall enough for the longest help, that of 收益法计算表1, without scrolling.
  Move(6000, 1800, 6600, 5280);
  Frame1.setCaption("向导");
  Frame1.Move(120, 60, 6360, 4620);
  RichTextBox1.Move(240, 360, 6120, 4200);
  Label1.setCaption("注：项目表每个页面均可得到及时的帮助信息");
  Label1.Move(120, 4800, 6360, 300);
}

// Excel not running or no workbook open counts as a sheet without help.
void Form2::Form_Load() {
  std::string sheet;
  const bool read = automation::StopAtFirstError(
      [&] { sheet = workbench::AttachExcel().obj("ActiveSheet").get("Name").toText(); });
  const SheetHelp* help = read ? HelpForSheet(sheet) : nullptr;
  if (help == nullptr) {
    ui::Unload(*this);
    ui::MsgBox("该表格与系统无任何关联！无帮助信息。其他更多的帮助信息请单击Ctrl+B", ui::kOkOnly | ui::kExclamation, "提示");
    return;
  }
  if (help->windowCaption != nullptr) setCaption(help->windowCaption);
  if (help->frameCaption != nullptr) Frame1.setCaption(help->frameCaption);
  RichTextBox1.setText(Joined(help->lines));
}

// A window that unloaded itself in its load cannot be shown; the warning was all there was to do.
void ShowInstantHelp() {
  try {
    ui::Default<Form2>().Show();
  } catch (const automation::Error& e) {
    if (e.number() != ui::kObjectWasUnloaded) throw;
  }
}
