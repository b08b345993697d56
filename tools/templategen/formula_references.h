#pragma once
// The A1 cell references of a formula, found outside its string literals.
#include <functional>
#include <string>

namespace templategen {

struct Reference {
  std::string sheet;  // empty: the formula's own sheet
  int column = 0;
  int row = 0;
  bool absoluteColumn = false;
  bool absoluteRow = false;
};

// Calls `visit` for every reference in order and rebuilds the formula from what it leaves behind,
// so a visitor can move references the way a row insertion or a copy does.
std::string RewriteReferences(const std::string& formula, const std::function<void(Reference&)>& visit);

// A formula of table 1 as it stands in the template block `delta` rows lower: references to the
// table's own sheet move with it, references to other sheets stay, so a new table keeps reading
// the project's data. An absolute row on the own sheet would tie every copy to table 1, so it is
// refused (std::invalid_argument).
std::string BlockFormula(const std::string& formula, int delta);

}  // namespace templategen
