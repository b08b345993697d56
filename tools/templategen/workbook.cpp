#include "tools/templategen/workbook.h"

namespace templategen {

Sheet* Workbook::find(const std::string& name) {
  for (auto& s : sheets)
    if (s.name == name) return &s;
  return nullptr;
}

}  // namespace templategen
