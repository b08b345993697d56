#pragma once
// A range of cells of one sheet: cells, whole rows or whole columns.

#include "platform/automation/member_table.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class Range : public automation::TableDispatch<Range> {
 public:
  // What Count counts and what indexing picks: the cells, the rows or the columns.
  enum class View { Cells, Rows, Columns };

  Range(SheetHandle sheet, Area area, View view = View::Cells) : sheet_(std::move(sheet)), area_(area), view_(view) {}
  static const automation::MemberTable<Range>& Members();
  std::string TypeName() const override { return "Range"; }

  static automation::Variant Make(const SheetHandle& sheet, const Area& area, View view = View::Cells);

  // Range(Cell1, Cell2), Cells(Row, Column), Rows(Index), Columns(Index) within an area: the
  // same for a sheet (its whole area), the application (the active sheet) and a range.
  static automation::Variant RangeIn(const SheetHandle& sheet, const Area& origin, const automation::Args& a);
  static automation::Variant CellsIn(const SheetHandle& sheet, const Area& origin, const automation::Args& a);
  static automation::Variant RowsIn(const SheetHandle& sheet, const Area& origin, const automation::Args& a);
  static automation::Variant ColumnsIn(const SheetHandle& sheet, const Area& origin, const automation::Args& a);

 private:
  automation::Variant Value();
  void Write(const automation::Variant& v, Notation notation);
  automation::Variant Text();
  automation::Variant Count() const;
  automation::Variant End(const automation::Variant& direction);
  void Select();
  void Copy();
  void Insert();
  void Delete();
  void ClearContents();
  automation::Variant Hidden();
  void SetHidden(bool hidden);
  automation::Variant ColumnWidth();
  void SetColumnWidth(const automation::Variant& width);
  void AutoFit();
  automation::Variant Locked();
  void SetLocked(bool locked);

  SheetHandle sheet_;
  Area area_;
  View view_;
};

// The text a cell shows, as Range.Text gives it: its value in the cell's number format.
std::string ShownText(BookModel& book, const SheetModel& sheet, int row, int column);

}  // namespace excel
