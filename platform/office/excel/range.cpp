#include "platform/office/excel/range.h"

#include <algorithm>
#include <limits>

#include "platform/office/excel/application.h"
#include "platform/office/excel/cell_entry.h"
#include "platform/runtime/number_format.h"
#include "platform/runtime/number_text.h"

namespace excel {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;

constexpr const char* kProtectedCell =
    "The cell or chart you're trying to change is on a protected sheet. To make a change, unprotect the sheet. "
    "You might be requested to enter a password.";

void RequireFormatting(const SheetModel& sheet, const char* what) {
  if (sheet.protection.on && !sheet.protection.allowFormattingCells) Fail(std::string("Unable to set the ") + what + " property of the Range class");
}

void RequireUnprotected(const SheetModel& sheet, const char* method) {
  if (sheet.protection.on) Fail(std::string(method) + " method of Range class failed");
}

// A row or column index as Excel takes it: a number, or for columns also letters.
int IndexOf(const automation::Variant& v, bool columns) {
  if (columns && v.isText()) {
    const auto c = ColumnNumber(v.toText());
    if (!c) Fail("Application-defined or object-defined error");
    return *c;
  }
  return v.toInt32();
}

// An area given relative to the origin's first cell; it must lie on the sheet.
Area Offset(const Area& origin, long long top, long long left, long long bottom, long long right) {
  top += origin.top - 1;
  bottom += origin.top - 1;
  left += origin.left - 1;
  right += origin.left - 1;
  if (top < 1 || left < 1 || bottom > kMaxRows || right > kMaxColumns || top > bottom || left > right)
    Fail("Application-defined or object-defined error");
  return {static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom), static_cast<int>(right)};
}


Area ParsedArea(const automation::Variant& v) {
  const auto area = ParseAreaText(v.toText());
  if (!area) Fail("Method 'Range' of object failed");
  return *area;
}

}  // namespace

std::string ShownText(BookModel& book, const SheetModel& sheet, int row, int column) {
  const automation::Variant v = book.ValueAt(sheet.id, row, column);
  const Cell* cell = sheet.cells.Find(row, column);
  switch (v.kind()) {
    case Variant::Kind::Double: {
      const double x = std::get<double>(v.value());
      return cell && !cell->format.empty() ? runtime::FormatNumber(x, cell->format) : runtime::NumberText(x);
    }
    case Variant::Kind::Boolean: return std::get<bool>(v.value()) ? "TRUE" : "FALSE";
    case Variant::Kind::Error: return std::string(ErrorText(*ErrorOf(v)));
    default: return v.toText();
  }
}

automation::Variant Range::Make(const SheetHandle& sheet, const Area& area, View view) {
  return automation::Variant(Object(std::make_shared<Range>(sheet, area, view)));
}

automation::Variant Range::RangeIn(const SheetHandle& sheet, const Area& origin, const Args& a) {
  Area area = ParsedArea(a[0]);
  if (a.has(1)) area = Bounding(area, ParsedArea(a[1]));
  return Make(sheet, Offset(origin, area.top, area.left, area.bottom, area.right));
}

automation::Variant Range::CellsIn(const SheetHandle& sheet, const Area& origin, const Args& a) {
  if (!a.has(0) && !a.has(1)) return Make(sheet, origin);
  if (!a.has(1)) {  // Cells(n): the n-th cell, row by row
    const long long n = static_cast<long long>(a[0].toInt32()) - 1;
    if (n < 0) Fail("Application-defined or object-defined error");
    const long long row = n / origin.columns() + 1, column = n % origin.columns() + 1;
    return Make(sheet, Offset(origin, row, column, row, column));
  }
  const int row = a.has(0) ? a[0].toInt32() : 1;
  const int column = IndexOf(a[1], true);
  return Make(sheet, Offset(origin, row, column, row, column));
}

automation::Variant Range::RowsIn(const SheetHandle& sheet, const Area& origin, const Args& a) {
  const Area rows{origin.top, origin.left, origin.bottom, origin.right};
  if (!a.has(0)) return Make(sheet, rows, View::Rows);
  if (a[0].isText()) {
    const std::string text = a[0].toText();
    const auto area = ParseAreaText(text.find(':') == std::string::npos ? text + ":" + text : text);
    if (!area || !area->entireRows()) Fail("Application-defined or object-defined error");
    return Make(sheet, Offset(origin, area->top, 1, area->bottom, origin.columns()), View::Rows);
  }
  const int r = a[0].toInt32();
  return Make(sheet, Offset(origin, r, 1, r, origin.columns()), View::Rows);
}

automation::Variant Range::ColumnsIn(const SheetHandle& sheet, const Area& origin, const Args& a) {
  if (!a.has(0)) return Make(sheet, origin, View::Columns);
  if (a[0].isText() && a[0].toText().find(':') != std::string::npos) {
    const auto area = ParseAreaText(a[0].toText());
    if (!area || !area->entireColumns()) Fail("Application-defined or object-defined error");
    return Make(sheet, Offset(origin, 1, area->left, origin.rows(), area->right), View::Columns);
  }
  const int c = IndexOf(a[0], true);
  return Make(sheet, Offset(origin, 1, c, origin.rows(), c), View::Columns);
}

automation::Variant Range::Value() {
  auto [app, book, sheet] = sheet_.Lock();
  return book->ValueAt(sheet->id, area_.top, area_.left);
}

void Range::Write(const automation::Variant& v, Notation notation) {
  auto [app, book, sheet] = sheet_.Lock();
  if (!sheet->Writable(area_)) Fail(kProtectedCell);
  EnterValue(*book, *sheet, area_, v, notation);
}

automation::Variant Range::Text() {
  auto [app, book, sheet] = sheet_.Lock();
  return ShownText(*book, *sheet, area_.top, area_.left);
}

automation::Variant Range::Count() const {
  const long long n = view_ == View::Rows ? area_.rows() : view_ == View::Columns ? area_.columns() : area_.cells();
  if (n > std::numeric_limits<std::int32_t>::max()) runtime::Raise(runtime::errors::kOverflow);
  return automation::Variant(static_cast<std::int32_t>(n));
}

// Excel's Ctrl+arrow: to the end of the run of filled cells, or to the next filled cell, or to
// the sheet's edge. 1 to 4 are the old left, right, up, down; the others the xl constants.
automation::Variant Range::End(const automation::Variant& direction) {
  auto [app, book, sheet] = sheet_.Lock();
  const int d = direction.toInt32();
  const bool up = d == 3 || d == -4162, down = d == 4 || d == -4121, left = d == 1 || d == -4159, right = d == 2 || d == -4161;
  if (!up && !down && !left && !right) Fail("Application-defined or object-defined error");
  const CellStore& cells = sheet->cells;
  int row = area_.top, column = area_.left;
  const auto filled = [&](int r, int c) {
    const Cell* cell = cells.Find(r, c);
    return cell && cell->hasContent();
  };
  if (up || down) {
    const int step = up ? -1 : 1, edge = up ? 1 : kMaxRows;
    if (row != edge && filled(row, column) && filled(row + step, column)) {
      while (row != edge && filled(row + step, column)) row += step;
    } else if (up) {
      row = 1;
      for (auto it = cells.rows().lower_bound(area_.top); it != cells.rows().begin();)
        if (--it; filled(it->first, column)) {
          row = it->first;
          break;
        }
    } else {
      row = kMaxRows;
      for (auto it = cells.rows().upper_bound(area_.top); it != cells.rows().end(); ++it)
        if (filled(it->first, column)) {
          row = it->first;
          break;
        }
    }
  } else {
    const int step = left ? -1 : 1, edge = left ? 1 : kMaxColumns;
    if (column != edge && filled(row, column) && filled(row, column + step)) {
      while (column != edge && filled(row, column + step)) column += step;
    } else {
      column = edge;
      const auto r = cells.rows().find(row);
      if (r != cells.rows().end()) {
        const auto& rowCells = r->second.cells;
        if (left) {
          for (auto it = rowCells.lower_bound(area_.left); it != rowCells.begin();)
            if (--it; it->second.hasContent()) {
              column = it->first;
              break;
            }
        } else {
          for (auto it = rowCells.upper_bound(area_.left); it != rowCells.end(); ++it)
            if (it->second.hasContent()) {
              column = it->first;
              break;
            }
        }
      }
    }
  }
  return Make(sheet_, {row, column, row, column});
}

void Range::Select() {
  auto [app, book, sheet] = sheet_.Lock();
  if (app->activeBook() != book || book->activeSheet != sheet->id) Fail("Select method of Range class failed");
  sheet->selection = area_;
  sheet->activeRow = area_.top;
  sheet->activeColumn = area_.left;
}

void Range::Copy() {
  auto [app, book, sheet] = sheet_.Lock();
  app->copied = ExcelApplication::CopiedRange{book, sheet->id, area_};
}

// Whole rows only: with copied whole rows marked, those rows are inserted, else empty ones.
void Range::Insert() {
  auto [app, book, sheet] = sheet_.Lock();
  RequireUnprotected(*sheet, "Insert");
  if (!area_.entireRows()) Fail("Insert method of Range class failed");
  if (!app->copied) return book->InsertRows(*sheet, area_.top, area_.rows());
  ExcelApplication::CopiedRange& copied = *app->copied;
  const SheetModel* source = copied.book.lock() == book ? book->Sheet(copied.sheet) : nullptr;
  if (!source || !copied.area.entireRows()) Fail("Insert method of Range class failed");
  const int count = copied.area.rows();
  book->InsertCopiedRows(*sheet, area_.top, *source, copied.area.top, count);
  // The marked rows move with the rows they are in.
  if (source == sheet && copied.area.top >= area_.top) copied.area = RowsArea(copied.area.top + count, copied.area.bottom + count);
  sheet->selection = RowsArea(area_.top, area_.top + count - 1);
}

void Range::Delete() {
  auto [app, book, sheet] = sheet_.Lock();
  RequireUnprotected(*sheet, "Delete");
  if (!area_.entireRows()) Fail("Delete method of Range class failed");
  book->DeleteRows(*sheet, area_.top, area_.rows());
  app->copied.reset();
}

void Range::ClearContents() {
  auto [app, book, sheet] = sheet_.Lock();
  if (!sheet->Writable(area_)) Fail(kProtectedCell);
  book->ClearContents(*sheet, area_);
}

automation::Variant Range::Hidden() {
  auto [app, book, sheet] = sheet_.Lock();
  const int hidden = sheet->cells.HiddenCount(area_.top, area_.bottom);
  if (hidden == 0) return false;
  if (hidden == area_.rows()) return true;
  return automation::Null{};
}

void Range::SetHidden(bool hidden) {
  auto [app, book, sheet] = sheet_.Lock();
  if (!area_.entireRows() || sheet->protection.on) Fail("Unable to set the Hidden property of the Range class");
  sheet->cells.SetHidden(area_.top, area_.bottom, hidden);
  book->Changed();
}

automation::Variant Range::ColumnWidth() {
  auto [app, book, sheet] = sheet_.Lock();
  const double first = sheet->ColumnWidth(area_.left);
  int explicitWidths = 0;
  for (auto it = sheet->columnWidths.lower_bound(area_.left); it != sheet->columnWidths.end() && it->first <= area_.right; ++it) {
    if (it->second != first) return automation::Null{};
    ++explicitWidths;
  }
  if (first != kStandardColumnWidth && explicitWidths != area_.columns()) return automation::Null{};
  return first;
}

// Excel takes the width as a number, also from a text, and only from 0 to 255.
void Range::SetColumnWidth(const automation::Variant& width) {
  auto [app, book, sheet] = sheet_.Lock();
  RequireFormatting(*sheet, "ColumnWidth");
  double w = -1;
  try {
    w = width.toDouble();
  } catch (const runtime::Error&) {
  }
  if (!(w >= 0 && w <= 255)) Fail("Unable to set the ColumnWidth property of the Range class");
  book->Changed();
  for (int column = area_.left; column <= area_.right; ++column) {
    if (w == kStandardColumnWidth) sheet->columnWidths.erase(column);
    else sheet->columnWidths[column] = w;
  }
}

// Fits each column holding something in the range to its widest shown text; a character of
// another script counts twice, as it shows about twice as wide.
void Range::AutoFit() {
  auto [app, book, sheet] = sheet_.Lock();
  RequireFormatting(*sheet, "AutoFit");
  std::map<int, double> widest;
  std::vector<std::pair<int, int>> filled;
  sheet->cells.ForEach(area_, [&](int row, int column, const Cell& c) {
    if (c.hasContent()) filled.emplace_back(row, column);
  });
  for (auto [row, column] : filled) {
    const std::string text = ShownText(*book, *sheet, row, column);
    double units = 0;
    for (unsigned char ch : text)
      if (ch < 0x80) units += 1;
      else if (ch >= 0xC0) units += 2;
    widest[column] = std::max(widest[column], std::min(255.0, units + 0.63));
  }
  for (auto [column, w] : widest) sheet->columnWidths[column] = w;
  book->Changed();
}

automation::Variant Range::Locked() {
  auto [app, book, sheet] = sheet_.Lock();
  long long unlocked = 0;
  sheet->cells.ForEach(area_, [&](int, int, const Cell& c) { unlocked += c.locked ? 0 : 1; });
  if (unlocked == 0) return true;
  if (unlocked == area_.cells()) return false;
  return automation::Null{};
}

void Range::SetLocked(bool locked) {
  auto [app, book, sheet] = sheet_.Lock();
  if (sheet->protection.on) Fail("Unable to set the Locked property of the Range class");
  book->Changed();
  if (locked) {
    std::vector<std::pair<int, int>> touched;
    sheet->cells.ForEachMutable(area_, [&](int row, int column, Cell& c) {
      c.locked = true;
      touched.emplace_back(row, column);
    });
    for (auto [row, column] : touched) sheet->cells.Tidy(row, column);
    return;
  }
  if (area_.cells() > (1 << 22)) Fail("Unable to set the Locked property of the Range class");
  for (int row = area_.top; row <= area_.bottom; ++row)
    for (int column = area_.left; column <= area_.right; ++column) sheet->cells.At(row, column).locked = false;
}

const MemberTable<Range>& Range::Members() {
  using V = automation::Variant;
  static const auto table =
      MemberTable<Range>()
          .Property("Value", [](Range& r, const Args&) { return r.Value(); },
                    [](Range& r, const Args&, const V& v) { r.Write(v, Notation::A1); })
          .Property("Formula",
                    [](Range& r, const Args&) {
                      auto [app, book, sheet] = r.sheet_.Lock();
                      return V(book->ContentText(*sheet, r.area_.top, r.area_.left, Notation::A1));
                    },
                    [](Range& r, const Args&, const V& v) { r.Write(v, Notation::A1); })
          .Property("FormulaR1C1",
                    [](Range& r, const Args&) {
                      auto [app, book, sheet] = r.sheet_.Lock();
                      return V(book->ContentText(*sheet, r.area_.top, r.area_.left, Notation::R1C1));
                    },
                    [](Range& r, const Args&, const V& v) { r.Write(v, Notation::R1C1); })
          .Property("Text", [](Range& r, const Args&) { return r.Text(); })
          .Property("Row", [](Range& r, const Args&) { return V(static_cast<std::int32_t>(r.area_.top)); })
          .Property("Column", [](Range& r, const Args&) { return V(static_cast<std::int32_t>(r.area_.left)); })
          .Property("Count", [](Range& r, const Args&) { return r.Count(); })
          .Property("Address",
                    [](Range& r, const Args& a) {
                      return V(AddressText(r.area_, a.value(0, true).toBool(), a.value(1, true).toBool()));
                    },
                    {}, {"RowAbsolute", "ColumnAbsolute"})
          .Property("Cells", [](Range& r, const Args& a) { return CellsIn(r.sheet_, r.area_, a); }, {},
                    {"RowIndex", "ColumnIndex"})
          .Property("Rows", [](Range& r, const Args& a) { return RowsIn(r.sheet_, r.area_, a); }, {}, {"Index"})
          .Property("Columns", [](Range& r, const Args& a) { return ColumnsIn(r.sheet_, r.area_, a); }, {}, {"Index"})
          .Property("End", [](Range& r, const Args& a) { return r.End(a[0]); }, {}, {"Direction"})
          .Property("EntireRow", [](Range& r, const Args&) { return Make(r.sheet_, RowsArea(r.area_.top, r.area_.bottom)); })
          .Property("EntireColumn",
                    [](Range& r, const Args&) { return Make(r.sheet_, ColumnsArea(r.area_.left, r.area_.right)); })
          .Property("Hidden", [](Range& r, const Args&) { return r.Hidden(); },
                    [](Range& r, const Args&, const V& v) { r.SetHidden(v.toBool()); })
          .Property("ColumnWidth", [](Range& r, const Args&) { return r.ColumnWidth(); },
                    [](Range& r, const Args&, const V& v) { r.SetColumnWidth(v); })
          .Property("Locked", [](Range& r, const Args&) { return r.Locked(); },
                    [](Range& r, const Args&, const V& v) { r.SetLocked(v.toBool()); })
          .Property("Worksheet",
                    [](Range& r, const Args&) {
                      auto [app, book, sheet] = r.sheet_.Lock();
                      return app->WorksheetObject(book, sheet->id);
                    })
          .Method("Select", {}, [](Range& r, const Args&) { r.Select(); return V(true); })
          .Method("Copy", {}, [](Range& r, const Args&) { r.Copy(); return V(true); })
          .Method("Insert", {"Shift", "CopyOrigin"}, [](Range& r, const Args&) { r.Insert(); return V(true); })
          .Method("Delete", {"Shift"}, [](Range& r, const Args&) { r.Delete(); return V(true); })
          .Method("ClearContents", {}, [](Range& r, const Args&) { r.ClearContents(); return V(true); })
          .Method("AutoFit", {}, [](Range& r, const Args&) { r.AutoFit(); return V(true); })
          .Default("Value");
  return table;
}

}  // namespace excel
