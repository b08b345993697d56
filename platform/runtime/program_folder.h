#pragma once
// The program folder: the folder that holds the running program file, not the working directory.

#include <string>

namespace runtime {

std::string ProgramFolder();

}  // namespace runtime
