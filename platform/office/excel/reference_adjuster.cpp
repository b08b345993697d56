#include "platform/office/excel/reference_adjuster.h"

#include <algorithm>

#include "platform/office/excel/cell_address.h"

namespace excel {
namespace {

void BecomeRefError(Token& t) {
  t.type = Token::Type::Error;
  t.error = CellError::Ref;
}

// Returns false when the reference lost all its rows.
bool AdjustRows(Reference& r, const RowChange& change, RefParts parts) {
  const auto moves = [&](const RefPoint& p) { return parts == RefParts::All || p.rowAbsolute; };
  if (change.count > 0) {
    for (RefPoint* p : {&r.first, &r.last})
      if (moves(*p) && p->row >= change.first) p->row += change.count;
    return r.first.row <= kMaxRows && r.last.row <= kMaxRows;
  }
  RefPoint& top = r.first.row <= r.last.row ? r.first : r.last;
  RefPoint& bottom = r.first.row <= r.last.row ? r.last : r.first;
  const int first = change.first, last = change.first - change.count - 1, n = -change.count;
  if (top.row >= first && bottom.row <= last && moves(top) && moves(bottom)) return false;
  if (moves(top)) top.row = top.row > last ? top.row - n : top.row >= first ? first : top.row;
  if (moves(bottom)) bottom.row = bottom.row > last ? bottom.row - n : bottom.row >= first ? first - 1 : bottom.row;
  return top.row <= bottom.row;
}

}  // namespace

bool AdjustReference(Reference& ref, const RowChange& change, RefParts parts) {
  return ref.span == Reference::Span::Columns || AdjustRows(ref, change, parts);
}

void AdjustForRows(Formula& formula, SheetId formulaSheet, const RowChange& change, RefParts parts) {
  for (Token& t : formula.tokens) {
    if (t.type != Token::Type::Reference || t.ref.span == Reference::Span::Columns) continue;
    const SheetId sheet = t.ref.sheet == kOwnSheet ? formulaSheet : t.ref.sheet;
    if (sheet != change.sheet) continue;
    if (!AdjustRows(t.ref, change, parts)) BecomeRefError(t);
  }
}

void ShiftRelative(Formula& formula, int rowOffset, int columnOffset) {
  for (Token& t : formula.tokens) {
    if (t.type != Token::Type::Reference) continue;
    bool inside = true;
    for (RefPoint* p : {&t.ref.first, &t.ref.last}) {
      if (t.ref.span != Reference::Span::Columns && !p->rowAbsolute) p->row += rowOffset;
      if (t.ref.span != Reference::Span::Rows && !p->columnAbsolute) p->column += columnOffset;
      inside = inside && p->row >= 1 && p->row <= kMaxRows && p->column >= 1 && p->column <= kMaxColumns;
    }
    if (!inside) BecomeRefError(t);
  }
}

}  // namespace excel
