#pragma once
// The sheets of a project workbook that the refreshers read.

#include <string_view>

namespace refreshers {

inline constexpr std::string_view kMarketSheet = "市场";
inline constexpr std::string_view kIncomeSheet = "收益";
inline constexpr std::string_view kHouseCostSheet = "成本";
inline constexpr std::string_view kBenchmarkLandSheet = "基准地价";
inline constexpr std::string_view kCostApproximationSheet = "成本逼近";
inline constexpr std::string_view kSummarySheet = "估价结果汇总表";

}  // namespace refreshers
