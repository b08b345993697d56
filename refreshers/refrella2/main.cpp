// Refrella2: refreshes the house cost report.

#include "platform/ui/program.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/common/report_driver.h"

const refreshers::ReportProgram& refreshers::ThisReportProgram() {
  static const ReportProgram program{
      "成本法", "当前表不是成本法项目表。无法刷新报告！",
      "当前拟刷新的是房产成本法估价报告！点击“是”立即进行刷新；点击“否”停止刷新？", 15.75, RefreshCostApproach};
  return program;
}

int main(int argc, char** argv) {
  ui::Program program(argc, argv, "Refrella2", refreshers::kRefresherTitle);
  // The start-up window runs the whole refresh from its load and closes itself at the end.
  return program.Run([] { ui::Default<refreshers::Form1>(); });
}
