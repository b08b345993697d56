#include "workbench/common/program_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

namespace workbench {
namespace {

TEST(ProgramFiles, LieInTheFolderOfTheProgramNotTheWorkingDirectory) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path("/");
  const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  EXPECT_EQ(ProgramFilePath("help.chm"), (folder / "help.chm").string());
  EXPECT_EQ(ProgramFilePath(ProgramFileName("Hausdex")), (folder / "Hausdex").string());
  std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace workbench
