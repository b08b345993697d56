#pragma once
// Computing a formula's value from the cells it refers to.

#include <functional>
#include <optional>
#include <span>
#include <variant>

#include "platform/automation/variant.h"
#include "platform/office/excel/cell_address.h"
#include "platform/office/excel/formula_parser.h"

namespace excel {

using automation::Variant;

// Cell values as a formula sees them: empty, boolean, double, text or error value.
class CellSource {
 public:
  virtual ~CellSource() = default;
  virtual Variant Value(SheetId sheet, int row, int column) = 0;
  // Every non-empty cell of the area, in no particular order.
  virtual void ForEachValue(SheetId sheet, const Area& area, const std::function<void(const Variant&)>& visit) = 0;
};

Variant ErrorVariant(CellError error);
std::optional<CellError> ErrorOf(const Variant& v);

// An argument or intermediate result: a value, or a reference not yet read.
struct Operand {
  Variant value;
  const Reference* ref = nullptr;
};

class FormulaContext {
 public:
  FormulaContext(CellSource& cells, const CellPosition& at) : cells_(cells), at_(at) {}
  const CellPosition& at() const { return at_; }
  SheetId SheetOf(const Reference& r) const { return r.sheet == kOwnSheet ? at_.sheet : r.sheet; }
  // A single cell's value for a reference; a larger range as one value is #VALUE!.
  Variant Scalar(const Operand& o);
  void ForEachValue(const Reference& r, const std::function<void(const Variant&)>& visit);

 private:
  CellSource& cells_;
  CellPosition at_;
};

Area AreaOf(const Reference& r);
// The absolute reference to an area of a sheet, as a print area is kept.
Reference AbsoluteReference(SheetId sheet, const Area& area);

// Excel's coercions: a text that reads as a number counts as that number, TRUE as 1.
std::variant<double, CellError> NumberOf(const Variant& v);
Variant NumberResult(double v);  // #NUM! when not finite

Variant Evaluate(const Formula& formula, const CellPosition& at, CellSource& cells);

}  // namespace excel
