#pragma once
// Copied cells as other programs see them and as the window pastes them. Other programs get
// tab-separated text of what the cells show, as Excel gives it; the window's own paste copies
// the cells themselves, each formula as Excel copies it (relative parts follow the offset), and a
// cut moves them, the formulas that read them following them.

#include <string>
#include <string_view>
#include <vector>

#include "platform/office/windows/excel/edit_history.h"

namespace office::windows::excel_window {

// Lines of tab-separated fields ending in CR LF; a field holding a tab, a line break or a leading
// quote is quoted, its quotes doubled. Whole rows or columns give their filled part only.
std::string TabbedText(excel::BookModel& book, const excel::SheetModel& sheet, const excel::Area& area);
// Text from another program as rows of fields: quoted fields as TabbedText writes them, lines
// ending in CR LF, LF or CR, the last line break ignored.
std::vector<std::vector<std::string>> ReadTabbedText(std::string_view text);

// Where copied cells of that size go when pasted at a selection: the selection when it holds
// them a whole number of times over, else their size at its first cell. Error 1004 when that
// leaves the sheet, or when more than a few million cells would be written.
excel::Area PasteArea(const excel::Area& copied, std::size_t filledCells, const excel::Area& selection);
inline constexpr long long kMaxPastedCells = 1 << 22;
inline constexpr const char* kCannotPaste = "Microsoft Excel cannot paste the data.";

// Writes the copied contents and looks over the cleared target, repeated to fill it: constants as
// they are, formulas copied by the offset. From another workbook a formula is read anew there,
// and one that cannot be (a sheet that workbook lacks) pastes as its value.
void PasteContents(excel::BookModel& fromBook, excel::SheetId fromSheet, const excel::Area& copied, const Contents& contents,
                   excel::BookModel& toBook, excel::SheetModel& to, const excel::Area& target);

// A formula elsewhere that reads cut cells, as it reads once they moved.
struct MovedReader {
  excel::SheetId sheet = excel::kOwnSheet;
  int row = 0, column = 0;
  excel::Formula formula;
};

// The move of cut cells within one workbook, from `from` on one sheet to the same size at
// `to`'s first cell on another or the same sheet.
struct CellMove {
  excel::SheetId fromSheet = excel::kOwnSheet, toSheet = excel::kOwnSheet;
  excel::Area from, to;
  // A reference, of a formula on `formulaSheet` that will be on `livesOn`, that lies wholly
  // within the moved cells moves with them; false for any other, which stays.
  bool Follow(excel::Reference& ref, excel::SheetId formulaSheet, excel::SheetId livesOn) const;
};

// The formulas of the workbook outside both areas whose references follow the move.
std::vector<MovedReader> ReadersOf(const excel::BookModel& book, const CellMove& move);
// Writes the moved contents and looks at the cleared target, their formulas' references following
// the move (a moved formula keeps reading the cells it read), and the readers' new formulas; the
// cells they left take a new cell's look.
void MoveContents(excel::BookModel& book, const CellMove& move, const Contents& contents, const std::vector<MovedReader>& readers);

}  // namespace office::windows::excel_window
