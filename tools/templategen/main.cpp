// templategen DATA_DIR OUT_DIR: writes every workbook and document template of the program folder
// from its description in DATA_DIR.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

#include "tools/templategen/description.h"
#include "tools/templategen/document_description.h"
#include "tools/templategen/document_file.h"
#include "tools/templategen/keys.h"
#include "tools/templategen/workbook_file.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> DescriptionsIn(const fs::path& dir, const std::string& suffix) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir)) {
    auto name = e.path().filename().string();
    if (e.is_regular_file() && name.size() > suffix.size() && name.ends_with(suffix)) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: templategen DATA_DIR OUT_DIR\n";
    return 2;
  }
  try {
    fs::path data = argv[1];
    fs::path out = argv[2];
    fs::create_directories(out);
    auto keys = templategen::ReadKeys(data / "keys.tsv");
    for (const auto* dir : {"workbooks", "workbooks/forms"}) {
      for (const auto& file : DescriptionsIn(data / dir, ".txt")) {
        auto workbook = templategen::ReadWorkbookDescription(file, keys);
        templategen::AppendTemplateBlocks(workbook);
        templategen::WriteWorkbookFile(workbook, out / workbook.fileName);
      }
    }
    for (const auto& file : DescriptionsIn(data / "documents", ".txt")) {
      auto document = templategen::ReadDocumentDescription(file, keys);
      templategen::WriteDocumentFile(document, out / document.fileName);
    }
  } catch (const std::exception& e) {
    std::cerr << "templategen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
