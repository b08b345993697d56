#include "platform/office/windows/excel/grid_keys.h"

#include <QKeyEvent>

#include <algorithm>
#include <optional>

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

// The area the selected cells span (from 0), or -1 all round with none selected.
struct Bounds {
  int top = -1, left = -1, bottom = -1, right = -1;
  bool contains(const QModelIndex& i) const { return i.isValid() && i.row() >= top && i.row() <= bottom && i.column() >= left && i.column() <= right; }
};

Bounds SelectedBounds(const QItemSelectionModel& selection) {
  Bounds b;
  for (const QItemSelectionRange& r : selection.selection()) {
    b.top = b.top < 0 ? r.top() : std::min(b.top, r.top());
    b.left = b.left < 0 ? r.left() : std::min(b.left, r.left());
    b.bottom = std::max(b.bottom, r.bottom());
    b.right = std::max(b.right, r.right());
  }
  return b;
}

// The first shown row or column from `at` on by `step` (1 or -1) within first..last; -1 when none.
int ShownWithin(const QTableView& grid, Qt::Orientation orientation, int at, int step, int first, int last) {
  const bool rows = orientation == Qt::Vertical;
  for (; at >= first && at <= last; at += step)
    if (!(rows ? grid.isRowHidden(at) : grid.isColumnHidden(at))) return at;
  return -1;
}

// A cell (from 0) of a merged area other than its first, which stands for the whole area.
bool CoveredByMerge(const excel::SheetModel* sheet, int row, int column) {
  if (!sheet) return false;
  const auto& merges = sheet->cells.merges();
  return std::any_of(merges.begin(), merges.end(), [&](const excel::Area& m) {
    return m.contains(row + 1, column + 1) && !(m.top == row + 1 && m.left == column + 1);
  });
}

// The selection from the active cell to its far corner, moved one shown row or column.
void Extend(SheetGrid& grid, int key) {
  QModelIndex active = grid.Anchor();
  const QModelIndex current = grid.currentIndex();
  QItemSelectionModel* selection = grid.selectionModel();
  Bounds b = SelectedBounds(*selection);
  if (!b.contains(active)) active = current;
  if (!active.isValid()) return;
  if (!b.contains(active)) b = {active.row(), active.column(), active.row(), active.column()};
  int endRow = active.row() == b.top ? b.bottom : b.top;
  int endColumn = active.column() == b.left ? b.right : b.left;
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

QModelIndex NextInSelection(const SheetGrid& grid, const excel::SheetModel* sheet, bool across, int step) {
  const Bounds b = SelectedBounds(*grid.selectionModel());
  const QModelIndex from = b.contains(grid.Anchor()) ? grid.Anchor() : grid.currentIndex();
  if (!b.contains(from) || (b.top == b.bottom && b.left == b.right)) return {};
  // Along a line (a row across, a column down), then from line to line.
  const Qt::Orientation along = across ? Qt::Horizontal : Qt::Vertical, over = across ? Qt::Vertical : Qt::Horizontal;
  const int first = across ? b.left : b.top, last = across ? b.right : b.bottom;
  const int firstLine = across ? b.top : b.left, lastLine = across ? b.bottom : b.right;
  int at = across ? from.column() : from.row(), line = across ? from.row() : from.column();
  std::optional<std::pair<int, int>> firstCovered;  // a cycle of covered cells ends there
  for (;;) {
    at = ShownWithin(grid, along, at + step, step, first, last);
    if (at < 0) {
      line = ShownWithin(grid, over, line + step, step, firstLine, lastLine);
      if (line < 0) line = ShownWithin(grid, over, step > 0 ? firstLine : lastLine, step, firstLine, lastLine);
      at = ShownWithin(grid, along, step > 0 ? first : last, step, first, last);
      if (line < 0 || at < 0) return {};
    }
    const int row = across ? line : at, column = across ? at : line;
    if (row == from.row() && column == from.column()) return {};
    if (!CoveredByMerge(sheet, row, column)) return grid.model()->index(row, column);
    if (!firstCovered) firstCovered.emplace(row, column);
    else if (*firstCovered == std::pair{row, column}) return {};
  }
}

bool MoveByKey(SheetGrid& grid, const excel::SheetModel* sheet, const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const QModelIndex current = grid.currentIndex();
  const int key = event.key();
  const bool tab = (key == Qt::Key_Tab && modifiers == Qt::NoModifier) || key == Qt::Key_Backtab;
  const bool enter = (key == Qt::Key_Return || key == Qt::Key_Enter) && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier);
  if (tab || enter) {
    const int step = key == Qt::Key_Backtab || modifiers == Qt::ShiftModifier ? -1 : 1;
    if (const QModelIndex next = NextInSelection(grid, sheet, tab, step); next.isValid()) {
      grid.selectionModel()->setCurrentIndex(next, QItemSelectionModel::NoUpdate);
      grid.scrollTo(next);
      return true;
    }
  }
  if (tab) {
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
