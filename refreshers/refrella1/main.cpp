// Refrella1: refreshes the land report (benchmark land price and cost approximation).

#include "platform/ui/program.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/common/report_driver.h"

const refreshers::ReportProgram& refreshers::ThisReportProgram() {
  static const ReportProgram program{
      "基准地价和成本逼近", "当前表不是基准地价和成本逼近项目表。无法刷新报告！",
      "当前拟刷新的是基准地价和成本逼近加权土地估价报告！点击“是”立即进行刷新；点击“否”停止刷新？", 15,
      RefreshBenchmarkLandPrice};
  return program;
}

int main(int argc, char** argv) {
  ui::Program program(argc, argv, "Refrella1", refreshers::kRefresherTitle);
  // The start-up window runs the whole refresh from its load and closes itself at the end.
  return program.Run([] { ui::Default<refreshers::Form1>(); });
}
