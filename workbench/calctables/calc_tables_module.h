#pragma once
// Module 增加计算表: adds and deletes calculation tables and keeps the result summary in step.

#include "platform/automation/variant.h"

namespace 增加计算表 {

// The module's Excel reference: every procedure sets it again on entry; it is never released.
inline automation::Object excel;

// The toolbar's two commands.
void AddCalculationTable();
void DeleteLastCalculationTable();

// Block appenders.
void AddMarketTableWeighted();
void AddMarketTable();
void AddIncomeTables();
void AddIncome1Table();
void AddIncome2Table();
void AddCostTable();
void AddBenchmarkTable();
void AddCostApproximationTable();

// Result summary writers.
void WriteMarketSummaryRow();
void WriteIncomeSummaryRow();
void WriteCostSummaryRow();
void WriteLandWeightedSummaryRow();
void WriteBenchmarkSummaryRow();
void WriteCostApproximationSummaryRow();

// Block removers.
void DeleteMarketTable();
void DeleteIncome1Table();
void DeleteIncome2Table();
void DeleteCostTable();
void DeleteBenchmarkTable();
void DeleteCostApproximationTable();

}  // namespace 增加计算表
