#pragma once
// Keys that move in the grid as they do in Excel: Tab and Shift+Tab one cell right and left,
// or, in a selection of several cells, Tab, Shift+Tab, Enter and Shift+Enter from cell to cell
// of the selection, which stays; Ctrl+End to the last cell in use; Shift+arrows growing or
// shrinking the selection at its far corner while the active cell stays where it is.

#include <QTableView>

#include <utility>

#include "platform/office/excel/workbook_model.h"

class QKeyEvent;

namespace office::windows::excel_window {

class SheetGrid;

// The last row and the last column that hold anything or carry a format (1, 1 on an empty
// sheet), as Excel's last cell is.
std::pair<int, int> LastUsedCell(const excel::SheetModel& sheet);

// The next shown row or column (from 0) from `from` by `step` (1 or -1): hidden ones are passed
// over; at the sheet's edge, `from` itself.
int NextShown(const QTableView& grid, Qt::Orientation orientation, int from, int step);

// The cell after the active one (where the selection began, as SheetGrid::Anchor says) in a
// selection of several cells: row by row (`across`, as Tab
// goes) or column by column (as Enter goes), forward or back by `step` (1 or -1), from the
// selection's last cell round to its first. Hidden rows and columns are passed over, and so are a
// merged area's cells but its first. Invalid with one cell selected or the active cell outside
// the selection.
QModelIndex NextInSelection(const SheetGrid& grid, const excel::SheetModel* sheet, bool across, int step);

// Moves as the key does; false for any other key, and for Enter with one cell selected.
bool MoveByKey(SheetGrid& grid, const excel::SheetModel* sheet, const QKeyEvent& event);

}  // namespace office::windows::excel_window
