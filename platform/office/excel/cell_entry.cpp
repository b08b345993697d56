#include "platform/office/excel/cell_entry.h"

#include <cmath>


#include "platform/office/excel/cell_text.h"
#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/reference_adjuster.h"
#include "platform/runtime/numeric_reading.h"

namespace excel {
namespace {

// Plain decimals with optional thousands separators, as a number is typed.
// A number too large for a double stays the text it was typed as.
std::optional<double> TypedNumber(const std::string& text) {
  const auto number = runtime::WholeDecimalNumber(text, {.groupedThousands = true});
  if (number && !std::isfinite(*number)) return std::nullopt;
  return number;
}

constexpr long long kMaxCellsWritten = 1 << 22;

}  // namespace

void EnterValue(BookModel& book, SheetModel& sheet, const Area& area, const Variant& value, Notation notation) {
  if (area.cells() > kMaxCellsWritten) Fail("The range is too large to write to at once.");
  Variant v = value;
  while (v.isObject()) v = v.toObject().get("");
  std::optional<Formula> formula;
  switch (v.kind()) {
    case Variant::Kind::Null: v = Variant(); break;
    case Variant::Kind::Int16:
    case Variant::Kind::Int32: v = Variant(v.toDouble()); break;
    case Variant::Kind::Text: {
      const std::string& text = std::get<std::string>(v.value());
      if (TextLength(text) > kMaxCellText)
        Fail("A cell holds at most " + std::to_string(kMaxCellText) + " characters; this text has " +
             std::to_string(TextLength(text)) + ".");
      if (text.size() > 1 && text[0] == '=') {
        try {
          formula = book.Parse(sheet, area.top, area.left, text, notation);
        } catch (const FormulaSyntaxError& e) {
          Fail(std::string("The formula contains an error: ") + e.what());
        }
      } else if (auto n = TypedNumber(text)) {
        v = Variant(*n);
      } else if (text.empty()) {
        v = Variant();
      }
      break;
    }
    default: break;
  }
  for (int row = area.top; row <= area.bottom; ++row)
    for (int column = area.left; column <= area.right; ++column) {
      if (!formula) {
        book.SetConstant(sheet, row, column, v);
        continue;
      }
      Formula copy = *formula;
      ShiftRelative(copy, row - area.top, column - area.left);
      book.SetFormula(sheet, row, column, std::move(copy));
    }
}

}  // namespace excel
