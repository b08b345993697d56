#pragma once
// Number patterns: "0" always-shown digit, "#" digit shown when significant, "," thousands
// grouping, "." decimal point, "%" times 100 with a percent sign; other characters as written.

#include <string>
#include <string_view>

namespace runtime {

// Rounds to the pattern's decimals, half away from zero on the value's decimal digits (so 2.675
// shows 2.68); a leading "-" only when the rounded value is not zero.
std::string FormatNumber(double value, std::string_view pattern);

}  // namespace runtime
