#include "platform/office/excel/workbook_model.h"

#include <algorithm>

#include "platform/automation/member_table.h"
#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/reference_adjuster.h"

namespace excel {
namespace {

// Deeper chains than this are cut off rather than risk the stack.
constexpr std::size_t kMaxDepth = 1000;

std::uint64_t Key(SheetId sheet, int row, int column) {
  return (static_cast<std::uint64_t>(sheet) << 34) | (static_cast<std::uint64_t>(row) << 14) |
         static_cast<std::uint64_t>(column - 1);
}

std::string ConstantText(const Variant& v) {
  switch (v.kind()) {
    case Variant::Kind::Boolean: return std::get<bool>(v.value()) ? "TRUE" : "FALSE";
    case Variant::Kind::Error: return std::string(ErrorText(*ErrorOf(v)));
    default: return v.toText();
  }
}

}  // namespace

double SheetModel::ColumnWidth(int column) const {
  const auto it = columnWidths.find(column);
  return it == columnWidths.end() ? kStandardColumnWidth : it->second;
}

bool SheetModel::Writable(const Area& area) const {
  if (!protection.on || !protection.contents) return true;
  long long unlocked = 0;
  cells.ForEach(area, [&](int, int, const Cell& c) { unlocked += c.locked ? 0 : 1; });
  return unlocked == area.cells();  // a cell never written is locked
}

SheetModel& BookModel::AddSheet(std::string sheetName) {
  auto sheet = std::make_unique<SheetModel>();
  sheet->id = nextSheetId_++;
  sheet->name = std::move(sheetName);
  sheets_.push_back(std::move(sheet));
  if (activeSheet == kOwnSheet) activeSheet = sheets_.back()->id;
  return *sheets_.back();
}

SheetModel* BookModel::Sheet(SheetId id) {
  for (auto& s : sheets_)
    if (s->id == id) return s.get();
  return nullptr;
}

SheetModel* BookModel::SheetNamed(std::string_view sheetName) {
  const std::string wanted = automation::FoldCase(sheetName);
  for (auto& s : sheets_)
    if (automation::FoldCase(s->name) == wanted) return s.get();
  return nullptr;
}

SheetLookup BookModel::Lookup() {
  return [this](std::string_view sheetName) -> std::optional<SheetId> {
    if (SheetModel* s = SheetNamed(sheetName)) return s->id;
    return std::nullopt;
  };
}

SheetName BookModel::Names() const {
  return [this](SheetId id) {
    for (const auto& s : sheets_)
      if (s->id == id) return s->name;
    return std::string("#REF");
  };
}

Formula BookModel::Parse(const SheetModel& sheet, int row, int column, std::string_view text, Notation notation) {
  Formula f = ParseFormula(text.substr(1), notation, {sheet.id, row, column}, Lookup());
  // A reference to its own sheet by name is kept as the plain reference Excel shows.
  for (Token& t : f.tokens)
    if (t.type == Token::Type::Reference && t.ref.sheet == sheet.id) t.ref.sheet = kOwnSheet;
  return f;
}

void BookModel::SetConstant(SheetModel& sheet, int row, int column, Variant value) {
  Changed();
  Cell& cell = sheet.cells.At(row, column);
  if (cell.formula != kNoFormula) Release(cell.formula);
  cell.formula = kNoFormula;
  cell.constant = std::move(value);
  sheet.cells.Tidy(row, column);
}

void BookModel::SetFormula(SheetModel& sheet, int row, int column, Formula formula) {
  Changed();
  Cell& cell = sheet.cells.At(row, column);
  if (cell.formula != kNoFormula) Release(cell.formula);
  cell.constant = Variant();
  cell.formula = Store(sheet.id, std::move(formula));
}

void BookModel::ClearContents(SheetModel& sheet, const Area& area) {
  Changed();
  std::vector<std::pair<int, int>> cleared;
  sheet.cells.ForEachMutable(area, [&](int row, int column, Cell& c) {
    if (c.formula != kNoFormula) Release(c.formula);
    c.formula = kNoFormula;
    c.constant = Variant();
    cleared.emplace_back(row, column);
  });
  for (auto [row, column] : cleared) sheet.cells.Tidy(row, column);
}

const Formula* BookModel::FormulaAt(const SheetModel& sheet, int row, int column) const {
  const Cell* c = sheet.cells.Find(row, column);
  if (!c || c->formula == kNoFormula) return nullptr;
  return &formulas_[static_cast<std::size_t>(c->formula)].formula;
}

std::string BookModel::ContentText(const SheetModel& sheet, int row, int column, Notation notation) const {
  if (const Formula* f = FormulaAt(sheet, row, column)) return FormulaText(*f, notation, {sheet.id, row, column}, Names());
  const Cell* c = sheet.cells.Find(row, column);
  return c ? ConstantText(c->constant) : std::string();
}

// A chain deeper than the stack allows is computed from its deep end up: the cell where it was
// cut off is computed first, on its own, and then again the cell that needed it, which finds it
// done. The cells waiting meanwhile count as being computed, so that a cycle of any length reads
// as a circular reference. Every round but the last leaves one more cell computed for good.
Variant BookModel::ValueAt(SheetId sheet, int row, int column) {
  std::vector<CellPosition> pending{{sheet, row, column}};
  for (;;) {
    const CellPosition at = pending.back();
    cutOff_.reset();
    Variant v = Value(at.sheet, at.row, at.column);
    if (cutOff_) {
      computing_.insert(Key(at.sheet, at.row, at.column));
      pending.push_back(*cutOff_);
      continue;
    }
    pending.pop_back();
    if (pending.empty()) return v;
    computing_.erase(Key(pending.back().sheet, pending.back().row, pending.back().column));
  }
}

Variant BookModel::Value(SheetId sheetId, int row, int column) {
  SheetModel* sheet = Sheet(sheetId);
  if (!sheet) return ErrorVariant(CellError::Ref);
  const Cell* c = sheet->cells.Find(row, column);
  return c ? ValueOf(sheetId, row, column, *c) : Variant();
}

Variant BookModel::ValueOf(SheetId sheetId, int row, int column, const Cell& cell) {
  if (cell.formula == kNoFormula) return cell.constant;
  const std::uint64_t key = Key(sheetId, row, column);
  if (cell.computedAt == content_) return cell.computed;
  if (computing_.contains(key)) return Variant(0.0);  // a circular reference reads as 0, as Excel shows it
  if (depth_ >= kMaxDepth) {
    if (!cutOff_) cutOff_ = CellPosition{sheetId, row, column};
    ++cuts_;
    return ErrorVariant(CellError::Num);
  }
  computing_.insert(key);
  ++depth_;
  const std::uint64_t cutsBefore = cuts_;
  Variant v = Evaluate(formulas_[static_cast<std::size_t>(cell.formula)].formula, {sheetId, row, column}, *this);
  --depth_;
  computing_.erase(key);
  if (cuts_ == cutsBefore) {
    cell.computed = v;
    cell.computedAt = content_;
  }
  return v;
}

void BookModel::ForEachValue(SheetId sheetId, const Area& area, const std::function<void(const Variant&)>& visit) {
  SheetModel* sheet = Sheet(sheetId);
  if (!sheet) return visit(ErrorVariant(CellError::Ref));
  sheet->cells.ForEach(area, [&](int row, int column, const Cell& c) {
    if (c.hasContent()) visit(ValueOf(sheetId, row, column, c));
  });
}

void BookModel::InsertRows(SheetModel& sheet, int at, int count) {
  if (sheet.cells.LastRow() >= at && sheet.cells.LastRow() + count > kMaxRows)
    Fail("To prevent possible loss of data, Excel cannot shift nonblank cells off of the worksheet.");
  sheet.cells.InsertRows(at, count);
  Adjust({sheet.id, at, count});
}

void BookModel::InsertCopiedRows(SheetModel& target, int at, const SheetModel& source, int first, int count) {
  std::map<int, Row> copied = source.cells.CopyRows(first, count);
  const RowRuns hidden = source.cells.HiddenRunsIn(first, count);
  const std::vector<Area> merges = source.cells.MergesIn(first, count);
  const std::map<int, double> heights = source.cells.HeightsIn(first, count);
  std::vector<std::pair<Cell*, Formula>> formulas;
  for (auto& [offset, row] : copied)
    for (auto& [column, cell] : row.cells)
      if (cell.formula != kNoFormula) formulas.emplace_back(&cell, formulas_[static_cast<std::size_t>(cell.formula)].formula);
  InsertRows(target, at, count);
  // Relative parts keep their distance from the copied cell; absolute ones name the cells the
  // original names, which the insertion may just have moved.
  const RowChange change{target.id, at, count};
  for (auto& [cell, formula] : formulas) {
    ShiftRelative(formula, at - first, 0);
    AdjustForRows(formula, source.id, change, RefParts::AbsoluteOnly);
    cell->formula = Store(target.id, std::move(formula));
  }
  target.cells.PutRows(at, std::move(copied));
  for (const auto& [a, b] : hidden) target.cells.SetHidden(at + a, at + b, true);
  for (const Area& m : merges) target.cells.Merge({at + m.top, m.left, at + m.bottom, m.right});
  for (const auto& [offset, height] : heights) target.cells.SetHeight(at + offset, height);
}

void BookModel::DeleteRows(SheetModel& sheet, int first, int count) {
  std::vector<FormulaId> dropped;
  sheet.cells.DeleteRows(first, count, dropped);
  for (FormulaId id : dropped) Release(id);
  Adjust({sheet.id, first, -count});
}

void BookModel::Adjust(const RowChange& change) {
  Changed();
  for (FormulaCell& f : formulas_)
    if (f.inUse) AdjustForRows(f.formula, f.sheet, change);
  for (auto& s : sheets_)
    if (s->id == change.sheet && s->printArea && !AdjustReference(*s->printArea, change)) s->printArea.reset();
}

FormulaId BookModel::Store(SheetId sheet, Formula formula) {
  FormulaId id;
  if (!free_.empty()) {
    id = free_.back();
    free_.pop_back();
  } else {
    id = static_cast<FormulaId>(formulas_.size());
    formulas_.emplace_back();
  }
  formulas_[static_cast<std::size_t>(id)] = {sheet, std::move(formula), true};
  return id;
}

void BookModel::Release(FormulaId id) {
  formulas_[static_cast<std::size_t>(id)] = {};
  free_.push_back(id);
}

}  // namespace excel
