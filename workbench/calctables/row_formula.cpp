#include "workbench/calctables/row_formula.h"

#include <charconv>

#include "platform/runtime/integer_conversion.h"

namespace 增加计算表 {

std::optional<std::string> ExpandRowFormula(std::string_view text, const RowVariables& variables) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find('{', pos);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('}', open);
    out.append(text.substr(pos, open - pos));
    const std::string_view term = text.substr(open + 1, close - open - 1);
    const std::size_t plus = term.find('+');
    const auto variable = variables.find(term.substr(0, plus));
    if (variable == variables.end()) return std::nullopt;
    runtime::Int16 row = variable->second;
    if (plus != std::string_view::npos) {
      std::int16_t offset = 0;
      std::from_chars(term.data() + plus + 1, term.data() + term.size(), offset);
      row += offset;
    }
    out += std::to_string(row.value());
    pos = close + 1;
  }
  out.append(text.substr(std::min(pos, text.size())));
  return out;
}

}  // namespace 增加计算表
