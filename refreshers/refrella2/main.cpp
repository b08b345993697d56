// Refrella2: refreshes the house cost report.

#include "platform/ui/program.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/common/report_programs.h"

const refreshers::ReportProgram& refreshers::ThisReportProgram() { return kCostReportProgram; }

int main(int argc, char** argv) {
  ui::Program program(argc, argv, "Refrella2", refreshers::kRefresherTitle);
  // The start-up window runs the whole refresh from its load and closes itself at the end.
  return program.Run([] { ui::Default<refreshers::Form1>(); });
}
