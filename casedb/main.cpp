// The case database program, built as Hausdex (house cases) and as Plotdex (land parcel cases):
// its window is the program, which ends when the window is unloaded.

#include "casedb/case_database_settings.h"
#include "casedb/form1.h"
#include "platform/ui/program.h"

int main(int argc, char** argv) {
  casedb::UseSettingsOf(QORVANE_CASEDB_PROGRAM);
  const casedb::CaseDatabaseSettings& settings = casedb::ThisProgram();
  ui::Program program(argc, argv, std::string(settings.program), std::string(settings.caption));
  return program.Run([] { ui::Default<Form1>().Show(); });
}
