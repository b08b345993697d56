#pragma once
// A parsed formula back to its text, with the leading "=", in A1 or R1C1 notation.

#include <functional>
#include <string>

#include "platform/office/excel/formula_lexer.h"
#include "platform/office/excel/formula_parser.h"

namespace excel {

using SheetName = std::function<std::string(SheetId)>;

// R1C1 relative parts are written as offsets from the formula's cell.
std::string FormulaText(const Formula& formula, Notation notation, const CellPosition& at, const SheetName& sheetName);

}  // namespace excel
