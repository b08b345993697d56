#include "tools/templategen/cell_address.h"

#include <stdexcept>

namespace templategen {

int ParseColumn(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) throw std::invalid_argument("bad column: " + std::string(letters));
  int column = 0;
  for (char c : letters) {
    if (c < 'A' || c > 'Z') throw std::invalid_argument("bad column: " + std::string(letters));
    column = column * 26 + (c - 'A' + 1);
  }
  return column;
}

CellAddress ParseAddress(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] >= 'A' && text[i] <= 'Z') ++i;
  if (i == 0 || i == text.size()) throw std::invalid_argument("bad address: " + std::string(text));
  int row = 0;
  for (std::size_t j = i; j < text.size(); ++j) {
    if (text[j] < '0' || text[j] > '9' || row > 1048576) throw std::invalid_argument("bad address: " + std::string(text));
    row = row * 10 + (text[j] - '0');
  }
  if (row == 0) throw std::invalid_argument("bad address: " + std::string(text));
  return {ParseColumn(text.substr(0, i)), row};
}

CellRange ParseRange(std::string_view text) {
  auto colon = text.find(':');
  if (colon == std::string_view::npos) {
    auto a = ParseAddress(text);
    return {a, a};
  }
  CellRange r{ParseAddress(text.substr(0, colon)), ParseAddress(text.substr(colon + 1))};
  if (r.first.column > r.last.column || r.first.row > r.last.row) throw std::invalid_argument("bad range: " + std::string(text));
  return r;
}

std::string ColumnName(int column) {
  std::string name;
  while (column > 0) {
    name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    column = (column - 1) / 26;
  }
  return name;
}

std::string AddressText(CellAddress a) { return ColumnName(a.column) + std::to_string(a.row); }

}  // namespace templategen
