#include "platform/office/excel/cell_address.h"

#include <algorithm>
#include <cctype>

namespace excel {
namespace {

struct Part {
  std::optional<int> column;
  std::optional<int> row;
};

// One side of a range text: "$A$1", "A", "38".
std::optional<Part> ParsePart(std::string_view s) {
  Part part;
  std::size_t i = 0;
  if (i < s.size() && s[i] == '$') ++i;
  const std::size_t lettersStart = i;
  while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i]))) ++i;
  if (i > lettersStart) {
    part.column = ColumnNumber(s.substr(lettersStart, i - lettersStart));
    if (!part.column) return std::nullopt;
  } else if (lettersStart > 0 && (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i])))) {
    return std::nullopt;
  }
  if (i < s.size() && s[i] == '$') {
    if (!part.column) return std::nullopt;
    ++i;
  }
  const std::size_t digitsStart = i;
  long long row = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    row = row * 10 + (s[i] - '0');
    if (row > kMaxRows) return std::nullopt;
    ++i;
  }
  if (i != s.size()) return std::nullopt;
  if (i > digitsStart) {
    if (row < 1) return std::nullopt;
    part.row = static_cast<int>(row);
  } else if (s.size() > lettersStart && s.back() == '$') {
    return std::nullopt;
  }
  if (!part.column && !part.row) return std::nullopt;
  return part;
}

std::string Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

}  // namespace

Area RowsArea(int first, int last) { return {std::min(first, last), 1, std::max(first, last), kMaxColumns}; }
Area ColumnsArea(int first, int last) { return {1, std::min(first, last), kMaxRows, std::max(first, last)}; }

Area Bounding(const Area& a, const Area& b) {
  return {std::min(a.top, b.top), std::min(a.left, b.left), std::max(a.bottom, b.bottom), std::max(a.right, b.right)};
}

std::string ColumnLetters(int column) {
  std::string out;
  for (; column > 0; column = (column - 1) / 26) out.insert(out.begin(), static_cast<char>('A' + (column - 1) % 26));
  return out;
}

std::optional<int> ColumnNumber(std::string_view letters) {
  if (letters.empty() || letters.size() > 3) return std::nullopt;
  int column = 0;
  for (char c : letters) {
    if (!std::isalpha(static_cast<unsigned char>(c))) return std::nullopt;
    column = column * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
  }
  if (column > kMaxColumns) return std::nullopt;
  return column;
}

std::optional<Area> ParseAreaText(std::string_view text) {
  const std::string s = Trimmed(text);
  const auto colon = s.find(':');
  const auto first = ParsePart(std::string_view(s).substr(0, colon));
  if (!first) return std::nullopt;
  const auto second = colon == std::string::npos ? first : ParsePart(std::string_view(s).substr(colon + 1));
  if (!second) return std::nullopt;
  const bool cells = first->row && first->column && second->row && second->column;
  const bool rows = !first->column && !second->column;
  const bool columns = !first->row && !second->row;
  if (cells) return Area{std::min(*first->row, *second->row), std::min(*first->column, *second->column),
                         std::max(*first->row, *second->row), std::max(*first->column, *second->column)};
  // A lone "38" or "B" is no range text; whole rows and columns need the colon.
  if (colon == std::string::npos) return std::nullopt;
  if (rows) return RowsArea(*first->row, *second->row);
  if (columns) return ColumnsArea(*first->column, *second->column);
  return std::nullopt;
}

std::string AddressText(const Area& area, bool rowAbsolute, bool columnAbsolute) {
  const std::string r = rowAbsolute ? "$" : "";
  const std::string c = columnAbsolute ? "$" : "";
  if (area.entireRows())
    return r + std::to_string(area.top) + ":" + r + std::to_string(area.bottom);
  if (area.entireColumns())
    return c + ColumnLetters(area.left) + ":" + c + ColumnLetters(area.right);
  const auto cell = [&](int row, int column) { return c + ColumnLetters(column) + r + std::to_string(row); };
  if (area.rows() == 1 && area.columns() == 1) return cell(area.top, area.left);
  return cell(area.top, area.left) + ":" + cell(area.bottom, area.right);
}

}  // namespace excel
