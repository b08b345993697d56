#include "tools/templategen/keys.h"

#include <fstream>
#include <stdexcept>

namespace templategen {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    auto tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace

std::vector<KeyRow> ReadKeys(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<KeyRow> rows;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    auto f = SplitTabs(line);
    if (f.size() != 6) throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": expected 6 fields");
    try {
      rows.push_back({f[0], f[1], ParseAddress(f[2]), f[3], f[4], f[5]});
    } catch (const std::invalid_argument& e) {
      throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " + e.what());
    }
  }
  return rows;
}

KeyColumns ColumnsBesideKey(int keyColumn) {
  switch (keyColumn) {
    case 1: return {2, 3};    // A: name B, value C
    case 8: return {7, 9};    // H: name G, value I
    case 17: return {0, 19};  // Q: value S
    default: return {};
  }
}

}  // namespace templategen
