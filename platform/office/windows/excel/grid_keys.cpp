#include "platform/office/windows/excel/grid_keys.h"

#include <QKeyEvent>

#include <algorithm>

#include "platform/office/windows/excel/sheet_grid.h"

namespace office::windows::excel_window {

std::pair<int, int> LastUsedCell(const excel::SheetModel& sheet) {
  int lastColumn = 1;
  for (const auto& [row, cells] : sheet.cells.rows())
    if (!cells.cells.empty()) lastColumn = std::max(lastColumn, cells.cells.rbegin()->first);
  return {std::max(sheet.cells.LastRow(), 1), lastColumn};
}

int NextShown(const QTableView& grid, Qt::Orientation orientation, int from, int step) {
  const bool rows = orientation == Qt::Vertical;
  const int count = rows ? grid.model()->rowCount() : grid.model()->columnCount();
  for (int at = from + step; at >= 0 && at < count; at += step)
    if (!(rows ? grid.isRowHidden(at) : grid.isColumnHidden(at))) return at;
  return from;
}

namespace {

// The last shown one at or before `at`, else the first shown after it.
int ShownAtOrBefore(const QTableView& grid, Qt::Orientation orientation, int at) {
  const bool rows = orientation == Qt::Vertical;
  if (!(rows ? grid.isRowHidden(at) : grid.isColumnHidden(at))) return at;
  const int before = NextShown(grid, orientation, at, -1);
  return before != at ? before : NextShown(grid, orientation, at, 1);
}

void GoTo(SheetGrid& grid, int row, int column) {
  const QModelIndex to = grid.model()->index(row, column);
  grid.selectionModel()->setCurrentIndex(to, QItemSelectionModel::ClearAndSelect);
  grid.scrollTo(to);
}

// The selection from the active cell to its far corner, moved one shown row or column.
void Extend(SheetGrid& grid, int key) {
  QModelIndex active = grid.Anchor();
  const QModelIndex current = grid.currentIndex();
  QItemSelectionModel* selection = grid.selectionModel();
  int top = -1, left = -1, bottom = -1, right = -1;
  for (const QItemSelectionRange& r : selection->selection()) {
    top = top < 0 ? r.top() : std::min(top, r.top());
    left = left < 0 ? r.left() : std::min(left, r.left());
    bottom = std::max(bottom, r.bottom());
    right = std::max(right, r.right());
  }
  const auto inside = [&](const QModelIndex& i) {
    return i.isValid() && i.row() >= top && i.row() <= bottom && i.column() >= left && i.column() <= right;
  };
  if (!inside(active)) active = current;
  if (!active.isValid()) return;
  if (!inside(active)) top = bottom = active.row(), left = right = active.column();
  int endRow = active.row() == top ? bottom : top;
  int endColumn = active.column() == left ? right : left;
  switch (key) {
    case Qt::Key_Up: endRow = NextShown(grid, Qt::Vertical, endRow, -1); break;
    case Qt::Key_Down: endRow = NextShown(grid, Qt::Vertical, endRow, 1); break;
    case Qt::Key_Left: endColumn = NextShown(grid, Qt::Horizontal, endColumn, -1); break;
    default: endColumn = NextShown(grid, Qt::Horizontal, endColumn, 1); break;
  }
  if (current != active) selection->setCurrentIndex(active, QItemSelectionModel::NoUpdate);
  const QModelIndex end = grid.model()->index(endRow, endColumn);
  selection->select(QItemSelection(grid.model()->index(std::min(active.row(), endRow), std::min(active.column(), endColumn)),
                                   grid.model()->index(std::max(active.row(), endRow), std::max(active.column(), endColumn))),
                    QItemSelectionModel::ClearAndSelect);
  grid.scrollTo(end);
}

}  // namespace

bool MoveByKey(SheetGrid& grid, const excel::SheetModel* sheet, const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const QModelIndex current = grid.currentIndex();
  const int key = event.key();
  if ((key == Qt::Key_Tab && modifiers == Qt::NoModifier) || key == Qt::Key_Backtab) {
    if (!current.isValid()) return true;
    GoTo(grid, current.row(), NextShown(grid, Qt::Horizontal, current.column(), key == Qt::Key_Tab ? 1 : -1));
    return true;
  }
  if (key == Qt::Key_End && modifiers == Qt::ControlModifier && sheet) {
    const auto [row, column] = LastUsedCell(*sheet);
    GoTo(grid, ShownAtOrBefore(grid, Qt::Vertical, row - 1), ShownAtOrBefore(grid, Qt::Horizontal, column - 1));
    return true;
  }
  const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
  if (arrow && modifiers == Qt::ShiftModifier) {
    Extend(grid, key);
    return true;
  }
  return false;
}

}  // namespace office::windows::excel_window
