#include "platform/runtime/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace runtime {

DecimalDigits ToDecimalDigits(double value) {
  DecimalDigits d;
  if (value == 0.0 || !std::isfinite(value)) return d;
  d.negative = value < 0;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  std::string text(buf, res.ptr);  // "d.ddddddddddddddde+XX"
  const auto e = text.find('e');
  d.exponent = std::atoi(text.c_str() + e + 1);
  for (std::size_t i = 0; i < e; ++i)
    if (text[i] != '.') d.digits.push_back(text[i]);
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

}  // namespace runtime
