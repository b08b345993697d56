#pragma once
// What a spreadsheet user's hands expect of the grid beyond typing: Ctrl+C, Ctrl+X and Ctrl+V,
// with the window's own cells and with other programs' text; Ctrl+Z and Ctrl+Y of the user's own
// edits; Escape, which drops the copied mark; column widths dragged. Each goes through the
// automation member a program would call where there is one (Range.Copy, Range.ClearContents,
// Range.Value, Range.ColumnWidth), so that the same refusals apply; a paste into a locked cell of
// a protected sheet changes nothing.

#include <QKeyEvent>

#include <functional>
#include <memory>
#include <optional>

#include "platform/office/excel/application.h"
#include "platform/office/windows/excel/edit_history.h"
#include "platform/runtime/error.h"

namespace office::windows::excel_window {

// The clipboard format that tells the window's own copy from other programs' text.
inline constexpr const char* kCopiedCellsFormat = "application/x-qv-excel-cells";

class GridHabits {
 public:
  struct Window {
    std::function<void()> flushSelection;                // the grid's selection into the model first
    std::function<void(const runtime::Error&)> refuse;   // shows why an act was refused
    std::function<void()> refuseLocked;                  // a locked cell of a protected sheet
    // The place's sheet active and its area selected, the windows up to date, the host told.
    std::function<void(const Place&)> show;
  };
  GridHabits(std::shared_ptr<excel::ExcelApplication> app, Window window);

  EditHistory& history() { return history_; }

  // The grid's keys for these acts; false for any other.
  bool HandleKey(const QKeyEvent& event);
  void Copy(bool cut);
  void Paste();
  void Undo();
  void Redo();
  // A column (from 1) of the active sheet dragged to that many pixels, as Range.ColumnWidth;
  // answers the width it has now.
  double DragColumn(int column, int pixels);

 private:
  struct Mark {
    std::weak_ptr<excel::BookModel> book;
    excel::SheetId sheet = excel::kOwnSheet;
    excel::Area area;
    bool cut = false;
    quint64 serial = 0;
  };
  // The active sheet's selection, once the grid's is in the model.
  std::optional<Place> Selected();
  // The mark, while the clipboard holds this window's copy of it and the cells are still marked.
  std::optional<Mark> OwnMark() const;
  void PasteCells(const Mark& mark, const Place& at);
  void PasteText(const QString& text, const Place& at);
  void ClearThrough(const Place& place);
  void DropMark();

  std::shared_ptr<excel::ExcelApplication> app_;
  Window window_;
  EditHistory history_;
  std::optional<Mark> mark_;
  quint64 serial_ = 0;
};

}  // namespace office::windows::excel_window
