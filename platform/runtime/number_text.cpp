#include "platform/runtime/number_text.h"

#include <cmath>
#include <cstdio>

#include "platform/runtime/decimal_digits.h"

namespace runtime {

std::string NumberText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  const DecimalDigits d = ToDecimalDigits(value);
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  if (d.exponent >= 15 || d.exponent < -4) {
    out += d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
    return out + exp;
  }
  if (d.exponent < 0) return out + "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
  const auto intDigits = static_cast<std::size_t>(d.exponent + 1);
  if (d.digits.size() <= intDigits) return out + d.digits + std::string(intDigits - d.digits.size(), '0');
  return out + d.digits.substr(0, intDigits) + "." + d.digits.substr(intDigits);
}

}  // namespace runtime
