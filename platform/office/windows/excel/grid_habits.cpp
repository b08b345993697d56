#include "platform/office/windows/excel/grid_habits.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

#include "platform/automation/dispatch.h"
#include "platform/office/excel/excel_error.h"
#include "platform/office/windows/excel/column_drag.h"
#include "platform/office/windows/excel/grid_clipboard.h"

namespace office::windows::excel_window {

using excel::Area;
using excel::BookModel;
using excel::SheetModel;

namespace {

automation::Object RangeObject(excel::ExcelApplication& app, const Place& place) {
  return app.WorksheetObject(place.book, place.sheet).toObject().obj("Range", excel::AddressText(place.area, false, false));
}

}  // namespace

GridHabits::GridHabits(std::shared_ptr<excel::ExcelApplication> app, Window window)
    : app_(std::move(app)), window_(std::move(window)), history_(*app_) {}

bool GridHabits::HandleKey(const QKeyEvent& event) {
  if (event.matches(QKeySequence::Copy)) Copy(false);
  else if (event.matches(QKeySequence::Cut)) Copy(true);
  else if (event.matches(QKeySequence::Paste)) Paste();
  else if (event.matches(QKeySequence::Undo)) Undo();
  else if (event.matches(QKeySequence::Redo) || (event.key() == Qt::Key_Y && event.modifiers() == Qt::ControlModifier)) Redo();
  else if (event.key() == Qt::Key_Escape && event.modifiers() == Qt::NoModifier && mark_) DropMark();
  else return false;
  return true;
}

std::optional<Place> GridHabits::Selected() {
  window_.flushSelection();
  if (app_->hasQuit()) return std::nullopt;
  const auto book = app_->activeBook();
  const SheetModel* sheet = book ? book->Sheet(book->activeSheet) : nullptr;
  if (!sheet) return std::nullopt;
  return Place{book, sheet->id, sheet->selection};
}

void GridHabits::Copy(bool cut) {
  const auto at = Selected();
  if (!at) return;
  SheetModel& sheet = *at->book->Sheet(at->sheet);
  // Cut cells are cleared when pasted: a locked one is refused now, as Excel refuses it.
  if (cut && !sheet.Writable(at->area)) return window_.refuseLocked();
  try {
    RangeObject(*app_, *at).call("Copy");
  } catch (const runtime::Error& e) {
    return window_.refuse(e);
  }
  mark_ = Mark{at->book, at->sheet, at->area, cut, ++serial_};
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(TabbedText(*at->book, sheet, at->area)));
  data->setData(kCopiedCellsFormat, QByteArray::number(serial_));
  QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<GridHabits::Mark> GridHabits::OwnMark() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!mark_ || !data || data->data(kCopiedCellsFormat) != QByteArray::number(mark_->serial)) return std::nullopt;
  const auto book = mark_->book.lock();
  const auto& open = app_->books();
  if (!book || std::find(open.begin(), open.end(), book) == open.end() || !book->Sheet(mark_->sheet)) return std::nullopt;
  // A program's copy, or cut-copy mode switched off, ends the mark.
  const auto& copied = app_->copied;
  if (!copied || copied->book.lock() != book || copied->sheet != mark_->sheet || !(copied->area == mark_->area)) return std::nullopt;
  return mark_;
}

void GridHabits::Paste() {
  const auto at = Selected();
  if (!at) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  try {
    if (const auto mark = OwnMark()) PasteCells(*mark, *at);
    else if (data && data->hasText()) PasteText(data->text(), *at);
  } catch (const runtime::Error& e) {
    window_.refuse(e);
  }
}

// As the Delete key clears them: a locked cell of a protected sheet is refused.
void GridHabits::ClearThrough(const Place& place) { RangeObject(*app_, place).call("ClearContents"); }

void GridHabits::PasteCells(const Mark& mark, const Place& at) {
  const auto from = mark.book.lock();
  const SheetModel& source = *from->Sheet(mark.sheet);
  const Contents contents = TakeContents(*from, source, mark.area, false);
  const Area first{at.area.top, at.area.left, at.area.top, at.area.left};
  // A cut goes once to the selection's first cell; a copy fills a selection that holds it a whole number of times.
  const Place to{at.book, at.sheet, PasteArea(mark.area, contents.filled.size(), mark.cut ? first : at.area)};
  SheetModel& target = *to.book->Sheet(to.sheet);
  const Place cut{from, mark.sheet, mark.area};
  if (!mark.cut) {
    history_.Record({to}, [&] {
      ClearThrough(to);
      PasteContents(*from, mark.sheet, mark.area, contents, *to.book, target, to.area);
    });
  } else if (from == to.book) {
    const CellMove move{mark.sheet, to.sheet, mark.area, to.area};
    const std::vector<MovedReader> readers = ReadersOf(*from, move);
    std::vector<Place> places{to, cut};
    for (const MovedReader& r : readers) places.push_back({from, r.sheet, {r.row, r.column, r.row, r.column}});
    history_.Record(places, [&] {
      ClearThrough(cut);
      ClearThrough(to);
      MoveContents(*from, move, contents, readers);
    });
  } else {
    // Into another workbook the cells go as copied, and leave their own.
    history_.Record({to, cut}, [&] {
      ClearThrough(to);
      PasteContents(*from, mark.sheet, mark.area, contents, *to.book, target, to.area);
      ClearThrough(cut);
      ClearLooks(*from, *from->Sheet(mark.sheet), mark.area);
    });
  }
  if (mark.cut) DropMark();
  window_.show(to);
}

// Each field as typed into its cell, from the selection's first cell on.
void GridHabits::PasteText(const QString& text, const Place& at) {
  const auto rows = ReadTabbedText(text.toStdString());
  std::size_t width = 0, filled = 0;
  for (const auto& row : rows) {
    width = std::max(width, row.size());
    filled += static_cast<std::size_t>(std::count_if(row.begin(), row.end(), [](const std::string& f) { return !f.empty(); }));
  }
  if (rows.empty() || width == 0) return;
  if (rows.size() > static_cast<std::size_t>(excel::kMaxRows) || width > static_cast<std::size_t>(excel::kMaxColumns)) excel::Fail(kCannotPaste);
  const Area size{1, 1, static_cast<int>(rows.size()), static_cast<int>(width)};
  const Place to{at.book, at.sheet, PasteArea(size, filled, {at.area.top, at.area.left, at.area.top, at.area.left})};
  history_.Record({to}, [&] {
    ClearThrough(to);
    const automation::Object sheet = app_->WorksheetObject(to.book, to.sheet).toObject();
    for (std::size_t r = 0; r < rows.size(); ++r)
      for (std::size_t c = 0; c < rows[r].size(); ++c)
        if (!rows[r][c].empty())
          sheet.obj("Cells", to.area.top + static_cast<int>(r), to.area.left + static_cast<int>(c)).put("Value", rows[r][c]);
  });
  window_.show(to);
}

void GridHabits::DropMark() {
  mark_.reset();
  app_->copied.reset();
}

void GridHabits::Undo() {
  window_.flushSelection();
  if (const auto where = history_.Undo()) window_.show(*where);
}

void GridHabits::Redo() {
  window_.flushSelection();
  if (const auto where = history_.Redo()) window_.show(*where);
}

double GridHabits::DragColumn(int column, int pixels) {
  const auto at = Selected();
  if (!at) return 0;
  const Place columns{at->book, at->sheet, excel::ColumnsArea(column, column)};
  try {
    history_.RecordWidths(columns, [&] { RangeObject(*app_, columns).put("ColumnWidth", ColumnWidthOf(pixels)); });
  } catch (const runtime::Error& e) {
    window_.refuse(e);
  }
  return at->book->Sheet(at->sheet)->ColumnWidth(column);
}

}  // namespace office::windows::excel_window
