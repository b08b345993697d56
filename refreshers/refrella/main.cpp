// Refrella: refreshes the market and income house report from the active project workbook.

#include "platform/ui/program.h"
#include "refreshers/common/refresher_frame.h"
#include "refreshers/refrella/refrella_forms.h"

int main(int argc, char** argv) {
  ui::Program program(argc, argv, "Refrella", refreshers::kRefresherTitle);
  return program.Run([] { ui::Default<refrella::Form2>().Show(); });
}
