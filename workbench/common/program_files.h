#pragma once
// Files of the program folder, addressed by name relative to it.

#include <string>
#include <string_view>

namespace workbench {

// The program folder, the platform's separator and the name.
std::string ProgramFilePath(std::string_view name);
// The file name of one of the system's programs on this platform ("Hausdex", no ".exe").
std::string ProgramFileName(std::string_view program);

}  // namespace workbench
