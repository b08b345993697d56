#pragma once
// The control cells of a calculation sheet as row formulas, "=ROW(A38)" or "=ROW(A80)-36", and
// what inserting or deleting whole rows does to them, as Excel moves the references.
#include <optional>
#include <string>

namespace datatest {

struct RowFormula {
  int referencedRow = 0;
  int constant = 0;
  bool broken = false;  // the referenced row was deleted (#REF!)

  int value() const { return referencedRow + constant; }
  void insertRows(int at, int count);
  void deleteRows(int first, int count);
};

// Parses the only form the control cells use; nullopt for anything else.
std::optional<RowFormula> ParseRowFormula(const std::string& formula);

}  // namespace datatest
