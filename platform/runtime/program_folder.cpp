#include "platform/runtime/program_folder.h"

#include <filesystem>

namespace runtime {

std::string ProgramFolder() {
  static const std::string folder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
  return folder;
}

}  // namespace runtime
