#pragma once
// Link formulas of the summary rows, written as their exact R1C1 text with row variables:
// "=成本法计算表!R{q+114}C14/10000" with q = 530 gives "=成本法计算表!R644C14/10000".

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace 增加计算表 {

using RowVariables = std::map<std::string, std::int16_t, std::less<>>;

// Nothing when the text names a variable that was not read; an offset that passes the 16-bit
// range is a failing step (Overflow).
std::optional<std::string> ExpandRowFormula(std::string_view text, const RowVariables& variables);

}  // namespace 增加计算表
