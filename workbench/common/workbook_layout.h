#pragma once
// Names of the project workbook's sheets, as every command addresses them.

namespace workbench {

inline constexpr const char* k参数 = "参数";
inline constexpr const char* k市场法计算表 = "市场法计算表";
inline constexpr const char* k收益法计算表1 = "收益法计算表1";
inline constexpr const char* k收益法计算表2 = "收益法计算表2";
inline constexpr const char* k成本法计算表 = "成本法计算表";
inline constexpr const char* k基准地价计算表 = "基准地价计算表";
inline constexpr const char* k成本逼近计算表 = "成本逼近计算表";
inline constexpr const char* k估价结果汇总表 = "估价结果汇总表";

// Method groups as 参数!B1 holds them.
inline constexpr const char* k市场法 = "市场法";
inline constexpr const char* k成本法 = "成本法";
inline constexpr const char* k基准地价和成本逼近 = "基准地价和成本逼近";

// Excel's constants, as the commands pass them.
inline constexpr int kXlUp = 3;
inline constexpr int kXlShiftDown = -4121;

}  // namespace workbench
