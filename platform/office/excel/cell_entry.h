#pragma once
// Writing a value to cells as typing it would: a text that reads as a number becomes the number,
// a text beginning with "=" a formula, anything else stays as written.

#include "platform/office/excel/workbook_model.h"

namespace excel {

// Writes to every cell of the area; a formula is read at the first cell and copied to the
// others. A formula that does not parse, or a text longer than Excel allows, is error 1004, and
// then nothing is written.
void EnterValue(BookModel& book, SheetModel& sheet, const Area& area, const Variant& value, Notation notation);

}  // namespace excel
