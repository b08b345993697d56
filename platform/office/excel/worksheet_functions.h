#pragma once
// The worksheet functions formulas may call, by upper-case name.

#include <span>
#include <string_view>

#include "platform/office/excel/formula_evaluator.h"

namespace excel {

using WorksheetFunction = Variant (*)(std::span<Operand> args, FormulaContext& context);

// nullptr for a name that is no function here (the formula then gives #NAME?).
WorksheetFunction FindWorksheetFunction(std::string_view name);

}  // namespace excel
