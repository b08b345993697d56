#pragma once
// A sheet's cells, kept sparsely by row so that a sheet costs what it holds, not its size.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/automation/variant.h"
#include "platform/office/excel/cell_address.h"
#include "platform/office/excel/cell_format.h"

namespace excel {

using FormulaId = std::int32_t;
inline constexpr FormulaId kNoFormula = -1;

struct Cell {
  automation::Variant constant;  // empty, boolean, double, date, text or error value
  FormulaId formula = kNoFormula;
  bool locked = true;
  std::string format;  // number format pattern; empty is General
  CellFormat style;
  // A formula's value as last computed, valid while the workbook's content is that of `computedAt`.
  mutable automation::Variant computed;
  mutable std::uint64_t computedAt = 0;
  bool hasContent() const { return formula != kNoFormula || !constant.isEmpty(); }
  bool isPlain() const { return !hasContent() && locked && format.empty() && style.isDefault(); }
};

struct Row {
  std::map<int, Cell> cells;
};

// Rows first..last, by first row; runs neither overlap nor touch.
using RowRuns = std::map<int, int>;

class CellStore {
 public:
  const Cell* Find(int row, int column) const;
  Cell& At(int row, int column);
  // Drops a cell that holds nothing and carries no format, and a row that is then plain.
  void Tidy(int row, int column);

  // Row heights in points, kept by row like hidden rows; 0 is the standard height.
  double Height(int row) const;
  void SetHeight(int row, double points);
  const std::map<int, double>& heights() const { return heights_; }
  // The heights within rows first..first+count-1, numbered from first.
  std::map<int, double> HeightsIn(int first, int count) const;

  // Merged areas; they never overlap. Rows inserted inside one widen it, as in Excel; one whose
  // rows are all deleted goes.
  const std::vector<Area>& merges() const { return merges_; }
  // Merges the area, dropping the merges it overlaps; a single cell unmerges.
  void Merge(const Area& area);
  // Replaces every merged area; throws std::invalid_argument naming two that overlap.
  void SetMerges(std::vector<Area> areas);
  // The merged areas wholly within rows first..first+count-1, their rows numbered from first.
  std::vector<Area> MergesIn(int first, int count) const;

  // Hidden rows are kept as runs, so that hiding a whole sheet costs no more than one row.
  bool Hidden(int row) const;
  void SetHidden(int first, int last, bool hidden);
  int HiddenCount(int first, int last) const;
  const RowRuns& hiddenRuns() const { return hidden_; }
  // The hidden runs within first..first+count-1, numbered from first.
  RowRuns HiddenRunsIn(int first, int count) const;

  // The last row that holds anything (0 for none).
  int LastRow() const { return rows_.empty() ? 0 : rows_.rbegin()->first; }
  // Rows at or below `at` move down by count; the new rows are shown.
  void InsertRows(int at, int count);
  // Removes rows first..first+count-1 (their formula ids are appended to `dropped`); rows below move up.
  void DeleteRows(int first, int count, std::vector<FormulaId>& dropped);
  // Rows first..first+count-1 as they are (row numbers relative to first).
  std::map<int, Row> CopyRows(int first, int count) const;
  void PutRows(int first, std::map<int, Row> rows);

  // Calls visit(row, column, cell) for every stored cell of the area, row by row.
  template <class Visit>
  void ForEach(const Area& area, Visit&& visit) const {
    for (auto r = rows_.lower_bound(area.top); r != rows_.end() && r->first <= area.bottom; ++r)
      for (auto c = r->second.cells.lower_bound(area.left); c != r->second.cells.end() && c->first <= area.right; ++c)
        visit(r->first, c->first, c->second);
  }
  template <class Visit>
  void ForEachMutable(const Area& area, Visit&& visit) {
    for (auto r = rows_.lower_bound(area.top); r != rows_.end() && r->first <= area.bottom; ++r)
      for (auto c = r->second.cells.lower_bound(area.left); c != r->second.cells.end() && c->first <= area.right; ++c)
        visit(r->first, c->first, c->second);
  }

  const std::map<int, Row>& rows() const { return rows_; }

 private:
  Row& RowAt(int row);
  void Reindex();

  std::map<int, Row> rows_;
  RowRuns hidden_;
  std::map<int, double> heights_;
  std::vector<Area> merges_;
  std::unordered_map<int, Row*> index_;  // the same rows by number: formulas read cell by cell
};

}  // namespace excel
