#pragma once
// A workbook's content: its sheets, their cells and the workbook's formulas. Every formula is
// kept once, in the workbook's formula list, so that moving rows adjusts each exactly once.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/office/excel/cell_store.h"
#include "platform/office/excel/formula_evaluator.h"
#include "platform/office/excel/formula_text.h"
#include "platform/office/excel/reference_adjuster.h"

namespace excel {

struct SheetProtection {
  bool on = false;
  std::string password;
  std::string passwordHash;  // only Excel's hash of the password, as an .xlsx file keeps it
  bool drawingObjects = true, contents = true, scenarios = true, allowFormattingCells = false;
};

enum class SheetVisibility : std::int32_t { Visible = -1, Hidden = 0, VeryHidden = 2 };

struct SheetModel {
  SheetId id = kOwnSheet;
  std::string name;
  SheetVisibility visibility = SheetVisibility::Visible;
  CellStore cells;
  std::map<int, double> columnWidths;
  std::optional<Reference> printArea;  // a reference, so that it follows rows as Excel's does
  SheetProtection protection;
  Area selection;
  int activeRow = 1, activeColumn = 1;

  double ColumnWidth(int column) const;
  // Whether a write to every cell of the area is allowed: unprotected, or all its cells unlocked.
  bool Writable(const Area& area) const;
};

class BookModel : public CellSource {
 public:
  std::string name;
  std::string path;  // empty until saved, for a workbook made from a template or by Add
  bool protectStructure = false;
  std::string structurePassword;
  std::string structurePasswordHash;
  bool openXml = false;  // the file at `path` is an .xlsx package, not the stand-in's own format
  SheetId activeSheet = kOwnSheet;

  SheetModel& AddSheet(std::string sheetName);
  SheetModel* Sheet(SheetId id);
  SheetModel* SheetNamed(std::string_view sheetName);  // letter case ignored, as Excel does
  const std::vector<std::unique_ptr<SheetModel>>& sheets() const { return sheets_; }
  SheetLookup Lookup();
  SheetName Names() const;

  // Cell content. Parse throws FormulaSyntaxError; the text starts with "=".
  Formula Parse(const SheetModel& sheet, int row, int column, std::string_view text, Notation notation);
  void SetConstant(SheetModel& sheet, int row, int column, Variant value);
  void SetFormula(SheetModel& sheet, int row, int column, Formula formula);
  void ClearContents(SheetModel& sheet, const Area& area);
  // The formula text of a formula cell, the text of a constant, "" for an empty cell.
  std::string ContentText(const SheetModel& sheet, int row, int column, Notation notation) const;
  const Formula* FormulaAt(const SheetModel& sheet, int row, int column) const;

  // A cell's value, formulas computed when first read after a change of the workbook's content.
  Variant ValueAt(SheetId sheet, int row, int column);

  // Rows. Inserting copied rows takes them from `source` as they were before the insertion.
  void InsertRows(SheetModel& sheet, int at, int count);
  void InsertCopiedRows(SheetModel& target, int at, const SheetModel& source, int first, int count);
  void DeleteRows(SheetModel& sheet, int first, int count);

  std::size_t FormulaCount() const { return formulas_.size() - free_.size(); }

  // Every change of the workbook, of its content or of how it is kept, makes it unsaved.
  void Changed() { ++content_; }
  bool Saved() const { return savedAt_ == content_; }
  // Grows with every change: the window tells its user's edits from those programs made since.
  std::uint64_t Changes() const { return content_; }
  void SetSaved(bool saved) { savedAt_ = saved ? content_ : 0; }

  Variant Value(SheetId sheet, int row, int column) override;
  void ForEachValue(SheetId sheet, const Area& area, const std::function<void(const Variant&)>& visit) override;

 private:
  struct FormulaCell {
    SheetId sheet = kOwnSheet;
    Formula formula;
    bool inUse = false;
  };
  FormulaId Store(SheetId sheet, Formula formula);
  void Release(FormulaId id);
  void Adjust(const RowChange& change);
  Variant ValueOf(SheetId sheet, int row, int column, const Cell& cell);

  std::vector<std::unique_ptr<SheetModel>> sheets_;
  SheetId nextSheetId_ = 1;
  std::vector<FormulaCell> formulas_;
  std::vector<FormulaId> free_;

  std::uint64_t content_ = 1;  // counts changes: older computed values are stale
  std::uint64_t savedAt_ = 1;  // the count when last saved; 0 once it was declared unsaved
  // The cells being computed, and those waiting for a cell deeper down (the cycle guard).
  std::unordered_set<std::uint64_t> computing_;
  std::size_t depth_ = 0;
  std::optional<CellPosition> cutOff_;  // where a chain was too deep to follow in one go
  std::uint64_t cuts_ = 0;              // values computed while this grew are not kept
};

}  // namespace excel
