#pragma once
// The plain text of a number: up to 15 significant digits, no grouping.

#include <string>

namespace runtime {

// 1234.5 -> "1234.5"; 0.1 + 0.2 -> "0.3"; very large or very small magnitudes use the
// exponent form ("1E+15", "1E-05"), as the platform does.
std::string NumberText(double value);

}  // namespace runtime
