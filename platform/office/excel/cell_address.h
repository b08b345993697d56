#pragma once
// Cell areas and their A1 texts ("a1", "A9:J9", "38:73", "B:C", "$A$1").

#include <optional>
#include <string>
#include <string_view>

namespace excel {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;
inline constexpr double kStandardColumnWidth = 8.38;

struct Area {
  int top = 1, left = 1, bottom = 1, right = 1;
  int rows() const { return bottom - top + 1; }
  int columns() const { return right - left + 1; }
  long long cells() const { return static_cast<long long>(rows()) * columns(); }
  bool entireRows() const { return left == 1 && right == kMaxColumns; }
  bool entireColumns() const { return top == 1 && bottom == kMaxRows; }
  bool contains(int row, int column) const { return row >= top && row <= bottom && column >= left && column <= right; }
  bool intersects(const Area& o) const { return o.left <= right && o.right >= left && o.top <= bottom && o.bottom >= top; }
  bool operator==(const Area&) const = default;
};

Area RowsArea(int first, int last);
Area ColumnsArea(int first, int last);
Area Bounding(const Area& a, const Area& b);

std::string ColumnLetters(int column);
// Column number of letters such as "b" or "XFD"; nullopt when they are not a column.
std::optional<int> ColumnNumber(std::string_view letters);

// A range text in A1 notation, dollar signs allowed, letters in either case.
std::optional<Area> ParseAreaText(std::string_view text);

// "$A$1", "$A$9:$J$9", "$38:$73", "$A:$B" (without dollars where not absolute).
std::string AddressText(const Area& area, bool rowAbsolute = true, bool columnAbsolute = true);

}  // namespace excel
