#include "platform/office/windows/excel/edit_history.h"

#include <algorithm>

namespace office::windows::excel_window {

using excel::Area;
using excel::BookModel;
using excel::SheetModel;

Contents TakeContents(const BookModel& book, const SheetModel& sheet, const Area& area, bool widths) {
  Contents contents;
  if (widths) {
    for (auto it = sheet.columnWidths.lower_bound(area.left); it != sheet.columnWidths.end() && it->first <= area.right; ++it)
      contents.widths.insert(*it);
    return contents;
  }
  sheet.cells.ForEach(area, [&](int row, int column, const excel::Cell& cell) {
    if (!cell.locked || !cell.format.empty() || !cell.style.isDefault())
      contents.looks.push_back({row, column, cell.format, cell.locked, cell.style});
    if (!cell.hasContent()) return;
    Contents::Filled filled{row, column, cell.constant, std::nullopt};
    if (const excel::Formula* f = book.FormulaAt(sheet, row, column)) filled.formula = *f;
    contents.filled.push_back(std::move(filled));
  });
  return contents;
}

void PutContents(BookModel& book, SheetModel& sheet, const Area& area, const Contents& contents, bool widths) {
  if (widths) {
    auto& kept = sheet.columnWidths;
    kept.erase(kept.lower_bound(area.left), kept.upper_bound(area.right));
    kept.insert(contents.widths.begin(), contents.widths.end());
    book.Changed();
    return;
  }
  book.ClearContents(sheet, area);
  for (const Contents::Filled& f : contents.filled) {
    if (f.formula) book.SetFormula(sheet, f.row, f.column, *f.formula);
    else book.SetConstant(sheet, f.row, f.column, f.constant);
  }
  ClearLooks(book, sheet, area);
  PutLooks(book, sheet, contents.looks, 0, 0);
}

void ClearLooks(BookModel& book, SheetModel& sheet, const Area& area) {
  std::vector<std::pair<int, int>> looking;
  sheet.cells.ForEach(area, [&](int row, int column, const excel::Cell& cell) {
    if (!cell.locked || !cell.format.empty() || !cell.style.isDefault()) looking.emplace_back(row, column);
  });
  for (const auto& [row, column] : looking) {
    excel::Cell& cell = sheet.cells.At(row, column);
    cell.locked = true;
    cell.format.clear();
    cell.style = {};
    sheet.cells.Tidy(row, column);
  }
  if (!looking.empty()) book.Changed();
}

void PutLooks(BookModel& book, SheetModel& sheet, const std::vector<Contents::Look>& looks, int rows, int columns) {
  for (const Contents::Look& look : looks) {
    excel::Cell& cell = sheet.cells.At(look.row + rows, look.column + columns);
    cell.format = look.numberFormat;
    cell.locked = look.locked;
    cell.style = look.style;
  }
  if (!looks.empty()) book.Changed();
}

std::vector<EditHistory::Step> EditHistory::Take(const std::vector<Place>& places, bool widths) const {
  std::vector<Step> steps;
  for (const Place& p : places)
    if (const SheetModel* sheet = p.book->Sheet(p.sheet)) steps.push_back({p, widths, TakeContents(*p.book, *sheet, p.area, widths), {}});
  return steps;
}

void EditHistory::KeepAfter(Edit& edit) const {
  for (Step& s : edit)
    if (const SheetModel* sheet = s.place.book->Sheet(s.place.sheet)) s.after = TakeContents(*s.place.book, *sheet, s.place.area, s.widths);
}

void EditHistory::Record(const std::vector<Place>& places, const std::function<void()>& edit) {
  ForgetChangesElsewhere();
  Edit steps = Take(places, false);
  std::vector<std::uint64_t> counts;
  for (const Step& s : steps) counts.push_back(s.place.book->Changes());
  try {
    edit();
  } catch (...) {
    // Whatever part of the edit was done is undone; the workbooks count that as the user's.
    for (std::size_t i = steps.size(); i-- > 0;) {
      const Step& s = steps[i];
      if (s.place.book->Changes() == counts[i]) continue;
      if (SheetModel* sheet = s.place.book->Sheet(s.place.sheet)) PutContents(*s.place.book, *sheet, s.place.area, s.before, false);
      const auto seen = seen_.find(s.place.book.get());
      if (seen != seen_.end() && seen->second == counts[i]) seen->second = s.place.book->Changes();
    }
    throw;
  }
  KeepAfter(steps);
  Keep(std::move(steps));
}

void EditHistory::RecordWidths(const Place& place, const std::function<void()>& edit) {
  ForgetChangesElsewhere();
  Edit steps = Take({place}, true);
  edit();
  KeepAfter(steps);
  Keep(std::move(steps));
}

void EditHistory::Keep(Edit edit) {
  if (edit.empty()) return;
  Saw(edit);
  undo_.push_back(std::move(edit));
  if (undo_.size() > kKeptEdits) undo_.erase(undo_.begin());
  redo_.clear();
}

void EditHistory::Saw(const Edit& edit) {
  for (const Step& s : edit) seen_[s.place.book.get()] = s.place.book->Changes();
}

void EditHistory::ForgetChangesElsewhere() {
  const auto& open = app_.books();
  for (const auto& [book, count] : seen_) {
    const auto it = std::find_if(open.begin(), open.end(), [book = book](const auto& b) { return b.get() == book; });
    if (app_.hasQuit() || it == open.end() || (*it)->Changes() != count) {
      undo_.clear();
      redo_.clear();
      seen_.clear();
      return;
    }
  }
}

bool EditHistory::CanUndo() {
  ForgetChangesElsewhere();
  return !undo_.empty();
}

bool EditHistory::CanRedo() {
  ForgetChangesElsewhere();
  return !redo_.empty();
}

std::optional<Place> EditHistory::Undo() { return Replay(undo_, redo_, true); }
std::optional<Place> EditHistory::Redo() { return Replay(redo_, undo_, false); }

std::optional<Place> EditHistory::Replay(std::vector<Edit>& from, std::vector<Edit>& to, bool undo) {
  ForgetChangesElsewhere();
  if (from.empty()) return std::nullopt;
  Edit edit = std::move(from.back());
  from.pop_back();
  for (std::size_t n = 0; n < edit.size(); ++n) {
    Step& s = edit[undo ? edit.size() - 1 - n : n];
    SheetModel* sheet = s.place.book->Sheet(s.place.sheet);
    if (!sheet) continue;
    PutContents(*s.place.book, *sheet, s.place.area, undo ? s.before : s.after, s.widths);
  }
  Saw(edit);
  const Place where = edit.front().place;
  to.push_back(std::move(edit));
  return where;
}

}  // namespace office::windows::excel_window
