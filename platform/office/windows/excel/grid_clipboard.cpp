#include "platform/office/windows/excel/grid_clipboard.h"

#include <algorithm>

#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/range.h"
#include "platform/office/excel/reference_adjuster.h"

namespace office::windows::excel_window {

using excel::Area;
using excel::BookModel;
using excel::Formula;
using excel::SheetId;
using excel::SheetModel;
using excel::Token;

namespace {

constexpr Area kWholeSheet{1, 1, excel::kMaxRows, excel::kMaxColumns};

void AppendField(std::string& text, const std::string& field) {
  if (field.find_first_of("\t\r\n") == std::string::npos && !field.starts_with('"')) {
    text += field;
    return;
  }
  text += '"';
  for (char c : field) {
    if (c == '"') text += '"';
    text += c;
  }
  text += '"';
}

}  // namespace

std::string TabbedText(BookModel& book, const SheetModel& sheet, const Area& area) {
  Area part = area;
  if (area.entireColumns() || area.entireRows()) {
    int lastRow = 0, lastColumn = 0;
    sheet.cells.ForEach(area, [&](int row, int column, const excel::Cell& c) {
      if (!c.hasContent()) return;
      lastRow = std::max(lastRow, row);
      lastColumn = std::max(lastColumn, column);
    });
    if (lastRow == 0) return {};
    if (area.entireColumns()) part.bottom = lastRow;
    if (area.entireRows()) part.right = lastColumn;
  }
  std::string text;
  for (int row = part.top; row <= part.bottom; ++row) {
    for (int column = part.left; column <= part.right; ++column) {
      if (column > part.left) text += '\t';
      AppendField(text, excel::ShownText(book, sheet, row, column));
    }
    text += "\r\n";
  }
  return text;
}

std::vector<std::vector<std::string>> ReadTabbedText(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  std::size_t i = 0;
  const auto endLine = [&] {
    row.push_back(std::move(field));
    rows.push_back(std::move(row));
    field.clear();
    row.clear();
  };
  while (i < text.size()) {
    if (text[i] == '"') {
      // Quoted: up to the quote that is not doubled; what follows it up to the delimiter is kept.
      for (++i; i < text.size(); ++i) {
        if (text[i] != '"') field += text[i];
        else if (i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
        else {
          ++i;
          break;
        }
      }
    }
    while (i < text.size() && text[i] != '\t' && text[i] != '\r' && text[i] != '\n') field += text[i++];
    if (i == text.size()) break;
    const char delimiter = text[i++];
    if (delimiter == '\t') {
      row.push_back(std::move(field));
      field.clear();
      continue;
    }
    if (delimiter == '\r' && i < text.size() && text[i] == '\n') ++i;
    endLine();
  }
  if (!field.empty() || !row.empty()) endLine();
  return rows;
}

Area PasteArea(const Area& copied, std::size_t filledCells, const Area& selection) {
  const bool repeats = selection.rows() % copied.rows() == 0 && selection.columns() % copied.columns() == 0;
  const Area target = repeats ? selection
                              : Area{selection.top, selection.left, selection.top + copied.rows() - 1, selection.left + copied.columns() - 1};
  const long long copies = (static_cast<long long>(target.rows()) / copied.rows()) * (target.columns() / copied.columns());
  if (target.bottom > excel::kMaxRows || target.right > excel::kMaxColumns ||
      copies * static_cast<long long>(std::max<std::size_t>(filledCells, 1)) > kMaxPastedCells)
    excel::Fail(kCannotPaste);
  return target;
}

void PasteContents(BookModel& fromBook, SheetId fromSheet, const Area& copied, const Contents& contents, BookModel& toBook,
                   SheetModel& to, const Area& target) {
  for (int rows = 0; rows < target.rows(); rows += copied.rows())
    for (int columns = 0; columns < target.columns(); columns += copied.columns())
      for (const Contents::Filled& f : contents.filled) {
        const int row = target.top + rows + f.row - copied.top, column = target.left + columns + f.column - copied.left;
        if (!f.formula) {
          toBook.SetConstant(to, row, column, f.constant);
          continue;
        }
        Formula formula = *f.formula;
        excel::ShiftRelative(formula, row - f.row, column - f.column);
        if (&fromBook == &toBook) {
          toBook.SetFormula(to, row, column, std::move(formula));
          continue;
        }
        const std::string text = excel::FormulaText(formula, excel::Notation::A1, {to.id, row, column}, fromBook.Names());
        try {
          toBook.SetFormula(to, row, column, toBook.Parse(to, row, column, text, excel::Notation::A1));
        } catch (const excel::FormulaSyntaxError&) {
          toBook.SetConstant(to, row, column, fromBook.ValueAt(fromSheet, f.row, f.column));
        }
      }
  ClearLooks(toBook, to, target);
  for (int rows = 0; rows < target.rows(); rows += copied.rows())
    for (int columns = 0; columns < target.columns(); columns += copied.columns())
      PutLooks(toBook, to, contents.looks, target.top + rows - copied.top, target.left + columns - copied.left);
}

bool CellMove::Follow(excel::Reference& ref, SheetId formulaSheet, SheetId livesOn) const {
  if (ref.span != excel::Reference::Span::Cells) return false;
  const SheetId refSheet = ref.sheet == excel::kOwnSheet ? formulaSheet : ref.sheet;
  if (refSheet != fromSheet || !from.contains(ref.first.row, ref.first.column) || !from.contains(ref.last.row, ref.last.column))
    return false;
  for (excel::RefPoint* p : {&ref.first, &ref.last}) {
    p->row += to.top - from.top;
    p->column += to.left - from.left;
  }
  ref.sheet = toSheet == livesOn ? excel::kOwnSheet : toSheet;
  return true;
}

std::vector<MovedReader> ReadersOf(const BookModel& book, const CellMove& move) {
  std::vector<MovedReader> readers;
  for (const auto& sheet : book.sheets())
    sheet->cells.ForEach(kWholeSheet, [&](int row, int column, const excel::Cell& cell) {
      if (cell.formula == excel::kNoFormula) return;
      if ((sheet->id == move.fromSheet && move.from.contains(row, column)) || (sheet->id == move.toSheet && move.to.contains(row, column)))
        return;  // moved itself, or overwritten
      Formula formula = *book.FormulaAt(*sheet, row, column);
      bool followed = false;
      for (Token& t : formula.tokens)
        if (t.type == Token::Type::Reference) followed = move.Follow(t.ref, sheet->id, sheet->id) || followed;
      if (followed) readers.push_back({sheet->id, row, column, std::move(formula)});
    });
  return readers;
}

void MoveContents(BookModel& book, const CellMove& move, const Contents& contents, const std::vector<MovedReader>& readers) {
  SheetModel* to = book.Sheet(move.toSheet);
  if (!to) return;
  for (const Contents::Filled& f : contents.filled) {
    const int row = f.row + move.to.top - move.from.top, column = f.column + move.to.left - move.from.left;
    if (!f.formula) {
      book.SetConstant(*to, row, column, f.constant);
      continue;
    }
    Formula formula = *f.formula;
    for (Token& t : formula.tokens) {
      if (t.type != Token::Type::Reference || move.Follow(t.ref, move.fromSheet, move.toSheet)) continue;
      // What it read on the sheet it left, it reads there still.
      if (t.ref.sheet == excel::kOwnSheet) t.ref.sheet = move.fromSheet;
      if (t.ref.sheet == move.toSheet) t.ref.sheet = excel::kOwnSheet;
    }
    book.SetFormula(*to, row, column, std::move(formula));
  }
  for (const MovedReader& r : readers)
    if (SheetModel* sheet = book.Sheet(r.sheet)) book.SetFormula(*sheet, r.row, r.column, r.formula);
  if (SheetModel* from = book.Sheet(move.fromSheet)) ClearLooks(book, *from, move.from);
  ClearLooks(book, *to, move.to);
  PutLooks(book, *to, contents.looks, move.to.top - move.from.top, move.to.left - move.from.left);
}

}  // namespace office::windows::excel_window
