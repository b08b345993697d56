#pragma once
// The two builds of the case database program: what Hausdex (house cases) and Plotdex (land
// parcel cases) set differently. Everything else is shared.

#include <string>
#include <string_view>
#include <vector>

namespace casedb {

struct CaseDatabaseSettings {
  std::string_view program;   // the program's file name
  std::string_view file;      // the database in the program folder
  std::string_view caption;   // of the window, and the program's title
  std::vector<std::string_view> columns;
  bool ignoreLoadErrors;
};

// The settings of the program by its name; the program's main chooses its own.
const CaseDatabaseSettings& SettingsOf(std::string_view program);
const CaseDatabaseSettings& ThisProgram();
void UseSettingsOf(std::string_view program);

}  // namespace casedb
