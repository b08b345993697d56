#pragma once
// The marker check: a workbook is a project workbook when A1 of its sheet 参数 holds the marker
// text exactly.

#include "platform/automation/variant.h"

namespace workbench {

inline constexpr const char* kMarkerText = "Qorvane房地产";

// Of the active workbook of the given Excel. Holds: true; fails: false (another text, another
// letter case, a trailing blank, a number, an empty cell). Cannot be read (no Excel reference,
// no workbook open, no sheet 参数): the automation error is raised, so that a handler that
// ignores errors counts the test as true and one that stops at the first error ends.
bool IsProjectWorkbook(const automation::Object& excel);

}  // namespace workbench
