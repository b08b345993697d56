#include "data/tests/control_cells.h"

#include <regex>

namespace datatest {

void RowFormula::insertRows(int at, int count) {
  if (referencedRow >= at) referencedRow += count;
}

void RowFormula::deleteRows(int first, int count) {
  if (referencedRow >= first + count) {
    referencedRow -= count;
  } else if (referencedRow >= first) {
    broken = true;
  }
}

std::optional<RowFormula> ParseRowFormula(const std::string& formula) {
  static const std::regex form(R"(=ROW\([A-Z]{1,3}([0-9]+)\)(([+-])([0-9]+))?)");
  std::smatch m;
  if (!std::regex_match(formula, m, form)) return std::nullopt;
  RowFormula r;
  r.referencedRow = std::stoi(m[1]);
  if (m[2].matched) r.constant = (m[3] == "-" ? -1 : 1) * std::stoi(m[4]);
  return r;
}

}  // namespace datatest
