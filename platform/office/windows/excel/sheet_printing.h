#pragma once
// Sheets on paper as Excel prints them: of each sheet its print area, else the cells it uses;
// hidden rows and hidden columns left out; columns as wide and rows as high as the grid shows
// them; at 100 %, on pages taken down, then over. The cells print through the grid's model, as
// the grid shows them (the text as formatted, its alignment, font and colours, the fill), without
// grid lines; a text runs on over the empty cells to its right as in the grid, a wrapped one
// wraps inside its cell, and a merged area prints as one cell.

#include <memory>
#include <string>
#include <vector>

#include <QPageLayout>

#include "platform/office/excel/workbook_model.h"
#include "platform/office/windows/print_pages.h"

class QPagedPaintDevice;

namespace office::windows::excel_window {

// Excel's paper for a new sheet: A4, its normal margins (1.91 cm above and below, 1.78 cm at the
// sides).
QPageLayout ExcelPaper();

// What prints: the active sheet, or each visible sheet of the workbook in order.
std::vector<excel::SheetId> PrintedSheets(const excel::BookModel& book, bool wholeWorkbook);

// The sheets laid out for the device, each from a new page; nothing when no cell would print.
std::unique_ptr<PagedContent> LayOutSheets(std::shared_ptr<excel::BookModel> book, const std::vector<excel::SheetId>& sheets,
                                           QPagedPaintDevice& device);

// The open workbook as it is when it prints; nothing once it is closed.
LayOut PrintedBook(std::weak_ptr<excel::BookModel> book, bool wholeWorkbook);

// The PDF of what prints, written whole or not at all; false (no file) when nothing would print.
// Throws office::FileAccessError when the file cannot be written.
bool WritePdf(const std::shared_ptr<excel::BookModel>& book, bool wholeWorkbook, const std::string& path);

}  // namespace office::windows::excel_window
