#pragma once
// Formula text ("=A1+1", "=收益法计算表1!R38C5") to a parsed formula.

#include <functional>
#include <optional>
#include <string_view>

#include "platform/office/excel/formula.h"
#include "platform/office/excel/formula_lexer.h"

namespace excel {

struct CellPosition {
  SheetId sheet = kOwnSheet;
  int row = 1, column = 1;
};

// Finds a sheet of the workbook by name; nullopt when there is none.
using SheetLookup = std::function<std::optional<SheetId>(std::string_view name)>;

// The text after the leading "="; R1C1 relative parts are taken from the formula's cell.
// Throws FormulaSyntaxError with what is wrong.
Formula ParseFormula(std::string_view body, Notation notation, const CellPosition& at, const SheetLookup& sheets);

}  // namespace excel
