#include "platform/office/excel/cell_entry.h"

#include <regex>

#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/reference_adjuster.h"

namespace excel {
namespace {

// Plain decimals with optional thousands separators, as a number is typed.
std::optional<double> TypedNumber(const std::string& text) {
  static const std::regex number(R"(\s*[+-]?((\d{1,3}(,\d{3})+|\d+)(\.\d*)?|\.\d+)([eE][+-]?\d+)?\s*)");
  if (!std::regex_match(text, number)) return std::nullopt;
  std::string digits;
  for (char c : text)
    if (c != ',') digits += c;
  return std::strtod(digits.c_str(), nullptr);
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
