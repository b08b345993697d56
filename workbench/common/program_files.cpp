#include "workbench/common/program_files.h"

#include "platform/runtime/program_folder.h"

namespace workbench {

std::string ProgramFilePath(std::string_view name) { return runtime::ProgramFolder() + "/" + std::string(name); }

std::string ProgramFileName(std::string_view program) { return std::string(program); }

}  // namespace workbench
