#pragma once
// The user's own edits in the window, kept so that Ctrl+Z undoes and Ctrl+Y redoes them. Each
// edit keeps what its cells (or column widths) held before and after. A workbook that changed
// otherwise since, by a program's automation, drops the whole history, as Excel drops it when a
// macro runs: the kept contents would no longer fit the cells.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/office/excel/application.h"

namespace office::windows::excel_window {

// Cells of one sheet of an open workbook.
struct Place {
  std::shared_ptr<excel::BookModel> book;
  excel::SheetId sheet = excel::kOwnSheet;
  excel::Area area;
};

// What an area held: its filled cells only, so that a whole column costs what it holds.
struct Contents {
  struct Filled {
    int row = 0, column = 0;
    automation::Variant constant;
    std::optional<excel::Formula> formula;
  };
  std::vector<Filled> filled;
  // Cells whose look is not a new cell's: their number format, locking and formatting.
  struct Look {
    int row = 0, column = 0;
    std::string numberFormat;
    bool locked = true;
    excel::CellFormat style;
  };
  std::vector<Look> looks;
  std::map<int, double> widths;  // the columns' widths, for a width edit; absent is the standard width
};

class EditHistory {
 public:
  static constexpr std::size_t kKeptEdits = 100;  // as many as Excel keeps

  explicit EditHistory(const excel::ExcelApplication& app) : app_(app) {}

  // Runs one edit of the places' cells and keeps it. An edit that throws leaves the places as
  // they were, is not kept, and its error goes on.
  void Record(const std::vector<Place>& places, const std::function<void()>& edit);
  // The same for the widths of the place's columns.
  void RecordWidths(const Place& place, const std::function<void()>& edit);

  // Puts the last edit back; where it was, to be selected. None when there is nothing to undo.
  std::optional<Place> Undo();
  std::optional<Place> Redo();
  bool CanUndo();
  bool CanRedo();

  // Drops every edit once a workbook they touched changed otherwise, or closed.
  void ForgetChangesElsewhere();

 private:
  struct Step {
    Place place;
    bool widths = false;
    Contents before, after;
  };
  using Edit = std::vector<Step>;

  std::vector<Step> Take(const std::vector<Place>& places, bool widths) const;
  void KeepAfter(Edit& edit) const;
  void Keep(Edit edit);
  void Saw(const Edit& edit);
  std::optional<Place> Replay(std::vector<Edit>& from, std::vector<Edit>& to, bool undo);

  const excel::ExcelApplication& app_;
  std::vector<Edit> undo_, redo_;
  // Each touched workbook's change count after the user's last edit of it.
  std::map<const excel::BookModel*, std::uint64_t> seen_;
};

// An area's contents as they are, and put back as they were (the area is cleared first).
Contents TakeContents(const excel::BookModel& book, const excel::SheetModel& sheet, const excel::Area& area, bool widths);
void PutContents(excel::BookModel& book, excel::SheetModel& sheet, const excel::Area& area, const Contents& contents, bool widths);
// Every cell of the area back to a new cell's look, its contents kept.
void ClearLooks(excel::BookModel& book, excel::SheetModel& sheet, const excel::Area& area);
// The looks put on their cells, moved by the offset.
void PutLooks(excel::BookModel& book, excel::SheetModel& sheet, const std::vector<Contents::Look>& looks, int rows, int columns);

}  // namespace office::windows::excel_window
