#pragma once
// The result tables of each report, in the order its main fill routine fills them. House reports
// have their owner in column B, land reports in column A; the method label column is never copied.

#include <array>

#include "refreshers/common/summary_table_fill.h"

namespace refreshers {

namespace refrella {
inline constexpr SummaryTableMember FillSummaryTable1{1, "shuqian_1", B, 9, 2, 8};
inline constexpr SummaryTableMember FillSummaryTable2{2, "shuqian_2", B, 7, 1, 0};
inline constexpr SummaryTableMember FillSummaryTable4{4, "shuqian_3", B, 7, 1, 0};
inline constexpr std::array kSummaryTables{FillSummaryTable1, FillSummaryTable2, FillSummaryTable4};
}  // namespace refrella

namespace refrella1 {
inline constexpr SummaryTableMember FillSummaryTable1{1, "Tddw_1", A, 14, 1, 13};
inline constexpr SummaryTableMember FillSummaryTable5{5, "Tddw_2", A, 14, 1, 13};
inline constexpr std::array kSummaryTables{FillSummaryTable1, FillSummaryTable5};
}  // namespace refrella1

namespace refrella2 {
inline constexpr SummaryTableMember FillSummaryTable1{1, "weizhi_1", B, 9, 2, 8};
inline constexpr SummaryTableMember FillSummaryTable2{2, "weizhi_2", B, 7, 1, 0};
inline constexpr SummaryTableMember FillSummaryTable4{4, "shuqian_3", B, 7, 1, 0};
inline constexpr std::array kSummaryTables{FillSummaryTable1, FillSummaryTable2, FillSummaryTable4};
}  // namespace refrella2

}  // namespace refreshers
