#pragma once
// Workbooks as Office Open XML packages (.xlsx, .xltx), the form spreadsheets exchange them in:
// values, formulas in A1 notation with their current results, number formats, cell formatting
// (fill, font, alignment, wrap, borders), merged areas, row heights, column widths, hidden rows
// and sheets, print areas, sheet and workbook protection with locked cells.

#include <string>
#include <string_view>

#include "platform/office/excel/workbook_file.h"

namespace excel {

// The package of the workbook; formulas are computed for their results.
std::string XlsxContent(BookModel& book, bool isTemplate);

// Reads a package; anything it cannot take is refused whole with error 1004 saying what is wrong.
WorkbookFile ParseXlsx(std::string_view content, std::string_view fileName);

}  // namespace excel
