#pragma once
// A1 cell addresses and ranges as the workbook descriptions write them.
#include <string>
#include <string_view>

namespace templategen {

struct CellAddress {
  int column = 0;  // 1 = A
  int row = 0;     // 1-based
  auto operator<=>(const CellAddress&) const = default;
};

struct CellRange {
  CellAddress first;
  CellAddress last;
  bool contains(CellAddress a) const {
    return a.column >= first.column && a.column <= last.column && a.row >= first.row && a.row <= last.row;
  }
};

// Parses "B12" (no "$"); throws std::invalid_argument otherwise.
CellAddress ParseAddress(std::string_view text);
// Parses "D9:F34" or a single address.
CellRange ParseRange(std::string_view text);
std::string ColumnName(int column);
int ParseColumn(std::string_view letters);
std::string AddressText(CellAddress a);

}  // namespace templategen
