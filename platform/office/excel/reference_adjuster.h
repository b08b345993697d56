#pragma once
// How references follow rows that are inserted or deleted, and formulas that are copied.
// Each call touches only the formula's own tokens, so adjusting a workbook costs in
// proportion to its formulas, not to the size of its sheets.

#include "platform/office/excel/formula.h"

namespace excel {

struct RowChange {
  SheetId sheet = kOwnSheet;  // the sheet whose rows move
  int first = 1;              // first inserted or deleted row
  int count = 0;              // rows inserted (> 0) or deleted (< 0)
};

enum class RefParts { All, AbsoluteOnly };

// Rows inserted at `first` move every reference at or below it down (a range that spans the
// insertion grows); deleted rows move references below them up, a range shrinks, and a
// reference whose cells are all gone becomes #REF!. `formulaSheet` resolves references without
// a sheet name.
void AdjustForRows(Formula& formula, SheetId formulaSheet, const RowChange& change, RefParts parts = RefParts::All);

// One reference on its own (a print area); false when it lost all its rows.
bool AdjustReference(Reference& ref, const RowChange& change, RefParts parts = RefParts::All);

// The formula as copied by the offset: relative parts move, absolute ones stay; a reference
// moved off the sheet becomes #REF!.
void ShiftRelative(Formula& formula, int rowOffset, int columnOffset);

// The row at or below which a reference's first point lies (ROW of a whole-column reference is 1).
inline int FirstRow(const Reference& r) { return r.span == Reference::Span::Columns ? 1 : r.first.row; }

}  // namespace excel
