// Refrella1: refreshes the land report (benchmark land price and cost approximation).

#include "platform/ui/program.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/common/report_programs.h"

const refreshers::ReportProgram& refreshers::ThisReportProgram() { return kLandReportProgram; }

int main(int argc, char** argv) {
  ui::Program program(argc, argv, "Refrella1", refreshers::kRefresherTitle);
  // The start-up window runs the whole refresh from its load and closes itself at the end.
  return program.Run([] { ui::Default<refreshers::Form1>(); });
}
