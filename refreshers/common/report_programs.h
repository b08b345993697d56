#pragma once
// The settings of Refrella1 and Refrella2 for the shared driver.

#include "refreshers/common/report_driver.h"

namespace refreshers {

inline const ReportProgram kLandReportProgram{
    "基准地价和成本逼近", "当前表不是基准地价和成本逼近项目表。无法刷新报告！",
    "当前拟刷新的是基准地价和成本逼近加权土地估价报告！点击“是”立即进行刷新；点击“否”停止刷新？", 15,
    RefreshBenchmarkLandPrice};

inline const ReportProgram kCostReportProgram{
    "成本法", "当前表不是成本法项目表。无法刷新报告！",
    "当前拟刷新的是房产成本法估价报告！点击“是”立即进行刷新；点击“否”停止刷新？", 15.75, RefreshCostApproach};

}  // namespace refreshers
