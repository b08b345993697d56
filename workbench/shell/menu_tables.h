#pragma once
// What the toolbar window's buttons and menu items are: the families of items that differ only in
// their settings, each one table.

#include <array>

#include "workbench/shell/gongjulan.h"
#include "workbench/shell/shell_module.h"

// Toolbar1 from the left; an entry without a key is a separator.
struct ToolbarEntry {
  const char* key;
  const char* toolTip;
  const char* icon;  // key in imlToolbarIcons
};
inline constexpr std::array<ToolbarEntry, 12> kToolbarEntries = {{
    {"新建", "新建", "New"},
    {"打开", "打开", "Open"},
    {nullptr, nullptr, nullptr},
    {"增加计算表", "增加计算表", "zengjia"},
    {"删除计算表", "删除计算表", "shanch"},
    {"市场法交易案例查询", "市场法交易案例查询", "anlichaxun"},
    {"jishibangzhu", "即时帮助", "shengcheng"},
    {"调整列宽", "调整列宽", "tzlk"},
    {nullptr, nullptr, nullptr},
    {"ZHUYAO", "主菜单", "zhong1"},
    {nullptr, nullptr, nullptr},
    {"帮助", "查看帮助文件", "shuoming2"},
}};

// The new project workbooks and reports, in the submenu 项目 (array xj1) and in the new-document
// menu FDD (array 新建) alike.
struct DocumentItem {
  int xj1;
  int 新建;
  const char* caption;
  void (*command)();
};
inline constexpr std::array<DocumentItem, 6> kDocumentItems = {{
    {1, 0, "新建市场法与收益法项目表", 主类::NewMarketWorkbook},
    {2, 4, "新建成本法项目表", 主类::NewCostWorkbook},
    {3, 6, "新建基准地价与成本逼近项目表", 主类::NewLandWorkbook},
    {5, 9, "新建房产报告[市场法与收益法]", 主类::NewMarketIncomeReport},
    {6, 10, "新建房产报告[成本法]", 主类::NewCostReport},
    {7, 11, "新建土地报告[基准地价与成本逼近]", 主类::NewLandReport},
}};

// The survey and analysis workbook templates of the array 计算分析, from index 1.
struct SurveyTemplate {
  const char* caption;
  const char* file;
};
inline constexpr std::array<SurveyTemplate, 16> kSurveyTemplates = {{
    {"房屋-征收补偿调查登记表", "房屋征收补偿估价调查登记表.xlt"},
    {"房屋-成本法评估测算表", "房地产成本法评估测算表.xlt"},
    {"房屋-市场法比较计算表", "市场法比较计算表.xlt"},
    {"房屋-市场案例调查表", "房地产市场案例调查表.xlt"},
    {"房屋-收益法测算表[1]", "房地产收益法测算表[1].xlt"},
    {"房屋-收益法测算表[2]", "房地产收益法测算表.xlt"},
    {"房屋-市场法现场勘察表", "估价对象现场调查表.xlt"},
    {"房屋-收益法市场租金调查表", "收益法市场租金调查表.xlt"},
    {"房屋-收益法现场调查表", "收益法现场调查表.xlt"},
    {"房屋-收益法资本化率计算表", "收益法资本化率计算表.xlt"},
    {"房屋-新房地产市场法计算表", "新市场法计算表.xlt"},
    {"土地-基本情况调查表", "土地基本情况调查表.xlt"},
    {"土地-价格评估方法选择", "土地价格评估方法.xlt"},
    {"土地-影响地价的因素分析", "影响地价的因素分析.xlt"},
    {"土地-宗地现场勘察表", "宗地现场勘察表.xlt"},
    {"租金修正计算表", "租金修正计算表.xlt"},
}};

// The menu items that start another program of the system.
struct ProgramItem {
  ui::MenuArray gongjulan::*menu;
  const char* program;
};
inline constexpr std::array<ProgramItem, 5> kProgramItems = {{
    {&gongjulan::房屋交易案例查询服务, "Hausdex"},
    {&gongjulan::宗地交易案例查询服务, "Plotdex"},
    {&gongjulan::刷新市场法与收益法报告, "Refrella"},
    {&gongjulan::刷新成本法报告, "Refrella2"},
    {&gongjulan::刷新土地报告, "Refrella1"},
}};
