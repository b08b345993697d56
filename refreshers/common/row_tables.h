#pragma once
// The row tables of the value refreshes, run in the order written, each range over its rows in
// ascending order. Rows outside them are never replaced. The house summary keys run one column
// pair after the other: all ten rows of L beside A, then M beside B, and so on.

#include <array>

#include "refreshers/common/row_range.h"
#include "refreshers/common/sheet_names.h"

namespace refreshers {

inline constexpr std::array<RowRange, 33> kMarketRows{{
    {kMarketSheet, 2, 18, A, C, kRaw},
    {kMarketSheet, 19, 21, A, C, kMoney},
    {kMarketSheet, 22, 57, A, C, kRaw},
    {kSummarySheet, 8, 17, L, A, kRaw},
    {kSummarySheet, 8, 17, M, B, kRaw},
    {kSummarySheet, 8, 17, N, C, kRaw},
    {kSummarySheet, 8, 17, O, D, kRaw},
    {kSummarySheet, 8, 17, P, E, kRaw},
    {kSummarySheet, 8, 17, Q, F, kRaw},
    {kSummarySheet, 8, 17, R, G, kRaw},
    {kSummarySheet, 8, 17, S, H, kMoney},
    {kSummarySheet, 8, 17, T, I, kMoney},
    {kMarketSheet, 58, 58, A, C, kMoney},
    {kMarketSheet, 59, 83, A, C, kRaw},
    {kMarketSheet, 84, 84, A, C, kMoney},
    {kMarketSheet, 85, 109, A, C, kRaw},
    {kMarketSheet, 110, 110, A, C, kMoney},
    {kMarketSheet, 111, 135, A, C, kRaw},
    {kMarketSheet, 136, 136, A, C, kMoney},
    {kMarketSheet, 137, 186, A, C, kWhole},
    {kMarketSheet, 187, 187, A, C, kRaw},
    {kMarketSheet, 188, 188, A, C, kMoney},
    {kMarketSheet, 189, 212, A, C, kWhole},
    {kMarketSheet, 213, 213, A, C, kRaw},
    {kMarketSheet, 214, 214, A, C, kMoney},
    {kMarketSheet, 215, 238, A, C, kPercent},
    {kMarketSheet, 239, 239, A, C, kRaw},
    {kMarketSheet, 240, 240, A, C, kMoney},
    {kMarketSheet, 241, 264, A, C, kPercent},
    {kMarketSheet, 265, 265, A, C, kRaw},
    {kMarketSheet, 266, 266, A, C, kMoney},
    {kMarketSheet, 267, 290, A, C, kPercent},
    {kMarketSheet, 291, 298, A, C, kMoney},
}};

// The income calculation list (A to C), then the rent survey list (H to I).
inline constexpr std::array<RowRange, 14> kIncomeRows{{
    {kIncomeSheet, 27, 61, A, C, kMoney},
    {kIncomeSheet, 62, 62, A, C, kRaw},
    {kIncomeSheet, 3, 34, H, I, kRaw},
    {kIncomeSheet, 35, 50, H, I, kMoney},
    {kIncomeSheet, 51, 62, H, I, kRaw},
    {kIncomeSheet, 63, 63, H, I, kMoney},
    {kIncomeSheet, 64, 79, H, I, kRaw},
    {kIncomeSheet, 80, 95, H, I, kMoney},
    {kIncomeSheet, 96, 107, H, I, kRaw},
    {kIncomeSheet, 108, 108, H, I, kMoney},
    {kIncomeSheet, 109, 124, H, I, kRaw},
    {kIncomeSheet, 125, 140, H, I, kMoney},
    {kIncomeSheet, 141, 152, H, I, kRaw},
    {kIncomeSheet, 153, 154, H, I, kMoney},
}};

inline constexpr std::array<RowRange, 15> kHouseCostRows{{
    {kHouseCostSheet, 2, 19, A, C, kRaw},
    {kHouseCostSheet, 20, 23, A, C, kMoney},
    {kHouseCostSheet, 24, 37, A, C, kRaw},
    {kSummarySheet, 8, 17, L, A, kRaw},
    {kSummarySheet, 8, 17, M, B, kRaw},
    {kSummarySheet, 8, 17, N, C, kRaw},
    {kSummarySheet, 8, 17, O, D, kRaw},
    {kSummarySheet, 8, 17, P, E, kRaw},
    {kSummarySheet, 8, 17, Q, F, kRaw},
    {kSummarySheet, 8, 17, R, G, kRaw},
    {kSummarySheet, 8, 17, S, H, kMoney},
    {kSummarySheet, 8, 17, T, I, kMoney},
    {kHouseCostSheet, 38, 290, A, C, kMoney},
    {kHouseCostSheet, 291, 310, A, C, kRaw},
    {kHouseCostSheet, 311, 315, A, C, kMoney},
}};

inline constexpr std::array<RowRange, 8> kBenchmarkLandRows{{
    {kBenchmarkLandSheet, 2, 19, A, C, kRaw},
    {kSummarySheet, 8, 127, Q, S, kRaw},
    {kSummarySheet, 128, 147, Q, S, kMoney},
    {kBenchmarkLandSheet, 20, 23, A, C, kMoney},
    {kBenchmarkLandSheet, 24, 24, A, C, kRaw},
    {kBenchmarkLandSheet, 25, 25, A, C, kMoney},
    {kBenchmarkLandSheet, 26, 48, A, C, kRaw},
    {kBenchmarkLandSheet, 49, 73, A, C, kMoney},
}};

inline constexpr std::array<RowRange, 12> kCostApproximationRows{{
    {kCostApproximationSheet, 25, 25, A, C, kMoney},
    {kCostApproximationSheet, 26, 26, A, C, kRaw},
    {kCostApproximationSheet, 27, 43, A, C, kMoney},
    {kCostApproximationSheet, 44, 44, A, C, kGroupedPercent},
    {kCostApproximationSheet, 45, 46, A, C, kMoney},
    {kCostApproximationSheet, 47, 47, A, C, kGroupedPercent},
    {kCostApproximationSheet, 48, 48, A, C, kMoney},
    {kCostApproximationSheet, 49, 49, A, C, kGroupedPercent},
    {kCostApproximationSheet, 50, 53, A, C, kMoney},
    {kCostApproximationSheet, 54, 54, A, C, kGroupedPercent},
    {kCostApproximationSheet, 55, 64, A, C, kFourDecimals},
    {kCostApproximationSheet, 65, 71, A, C, kMoney},
}};

}  // namespace refreshers
