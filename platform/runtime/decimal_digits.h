#pragma once
// A finite double as the decimal number it is written as: up to 15 significant digits.

#include <string>

namespace runtime {

struct DecimalDigits {
  bool negative = false;
  std::string digits;  // significant digits, no leading or trailing zeros; empty for zero
  int exponent = 0;    // value = d1.d2d3... x 10^exponent
};

// Rounds the double to 15 significant digits, which is how the platform shows and formats it,
// so 2.675 is the decimal 2.675 and 0.1 + 0.2 is 0.3.
DecimalDigits ToDecimalDigits(double finiteValue);

}  // namespace runtime
