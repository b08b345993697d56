#include "tools/templategen/formula_references.h"

#include "tools/templategen/cell_address.h"

#include <stdexcept>

namespace templategen {
namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsUpper(c) || IsDigit(c) || (c >= 'a' && c <= 'z') || c == '_' || c == '.'; }

// Reads "$A$1"-style text at i; returns the length matched, 0 if none.
std::size_t MatchReference(const std::string& f, std::size_t i, Reference& ref) {
  std::size_t j = i;
  ref.absoluteColumn = j < f.size() && f[j] == '$';
  if (ref.absoluteColumn) ++j;
  std::size_t letters = j;
  while (j < f.size() && IsUpper(f[j])) ++j;
  if (j == letters || j - letters > 3) return 0;
  std::string column = f.substr(letters, j - letters);
  ref.absoluteRow = j < f.size() && f[j] == '$';
  if (ref.absoluteRow) ++j;
  std::size_t digits = j;
  while (j < f.size() && IsDigit(f[j])) ++j;
  if (j == digits) return 0;
  if (j < f.size() && (IsNameChar(f[j]) || f[j] == '(')) return 0;  // a function or name, not a cell
  ref.column = ParseColumn(column);
  ref.row = std::stoi(f.substr(digits, j - digits));
  return j - i;
}

std::string ReferenceText(const Reference& r) {
  std::string t;
  if (r.absoluteColumn) t += '$';
  t += ColumnName(r.column);
  if (r.absoluteRow) t += '$';
  t += std::to_string(r.row);
  return t;
}

}  // namespace

std::string RewriteReferences(const std::string& f, const std::function<void(Reference&)>& visit) {
  std::string out;
  std::string lastSheet;  // the sheet of the reference before a ":"
  std::size_t sheetStart = std::string::npos;
  for (std::size_t i = 0; i < f.size();) {
    char c = f[i];
    if (c == '"') {
      std::size_t end = f.find('"', i + 1);
      while (end != std::string::npos && end + 1 < f.size() && f[end + 1] == '"') end = f.find('"', end + 2);
      end = end == std::string::npos ? f.size() : end + 1;
      out.append(f, i, end - i);
      i = end;
      sheetStart = std::string::npos;
      continue;
    }
    bool boundary = i == 0 || !IsNameChar(f[i - 1]) || f[i - 1] == '!';
    Reference ref;
    std::size_t len = boundary ? MatchReference(f, i, ref) : 0;
    if (len > 0) {
      if (i > 0 && f[i - 1] == '!' && sheetStart != std::string::npos) {
        ref.sheet = f.substr(sheetStart, i - 1 - sheetStart);
      } else if (i > 0 && f[i - 1] == ':') {
        ref.sheet = lastSheet;
      }
      visit(ref);
      lastSheet = ref.sheet;
      out += ReferenceText(ref);
      i += len;
      sheetStart = std::string::npos;
      continue;
    }
    // A sheet name runs from after an operator up to "!".
    bool operatorChar = std::string_view("=+-*/^&<>(),:").find(c) != std::string_view::npos;
    if (operatorChar) {
      sheetStart = i + 1;
      if (c != ':') lastSheet.clear();
    } else if (sheetStart == std::string::npos && (i == 0 || f[i - 1] == '=')) {
      sheetStart = i;
    }
    out += c;
    ++i;
  }
  return out;
}

std::string BlockFormula(const std::string& formula, int delta) {
  return RewriteReferences(formula, [&](Reference& r) {
    if (!r.sheet.empty()) return;
    if (r.absoluteRow) throw std::invalid_argument("absolute row in a table formula: " + formula);
    r.row += delta;
  });
}

}  // namespace templategen
