#include "platform/runtime/numeric_reading.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/runtime/error.h"

namespace runtime {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text with the skipped characters removed, so the rest is a plain scan.
std::string WithoutBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (!IsSkipped(c)) out.push_back(c);
  return out;
}

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// "&H" and "&O" literals are 16-bit when they fit in 16 bits and 32-bit otherwise, so
// "&HFFFF" is -1 as the platform reads it.
double ReadRadixNumber(std::string_view s, int radix) {
  std::uint64_t value = 0;
  bool any = false;
  for (char c : s) {
    int d = DigitValue(c);
    if (d >= radix) break;
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) Raise(errors::kOverflow);
    any = true;
  }
  if (!any) return 0;
  if (value <= 0xFFFF) return value > 0x7FFF ? static_cast<double>(value) - 65536.0 : static_cast<double>(value);
  return value > 0x7FFFFFFF ? static_cast<double>(value) - 4294967296.0 : static_cast<double>(value);
}

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::optional<double> WholeDecimalNumber(std::string_view text, DecimalSyntax syntax) {
  std::size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  std::string number;  // what strtod reads: no commas, "e" for the exponent
  number.reserve(end - i);
  if (i < end && (text[i] == '+' || text[i] == '-')) number.push_back(text[i++]);
  std::size_t whole = 0, group = 0;  // digits before the point; digits since the last comma
  bool commas = false;
  for (; i < end; ++i) {
    if (IsDigit(text[i])) {
      number.push_back(text[i]);
      ++whole, ++group;
    } else if (text[i] == ',' && syntax.groupedThousands) {
      if (whole == 0 || (commas ? group != 3 : group > 3)) return std::nullopt;
      commas = true;
      group = 0;
    } else {
      break;
    }
  }
  if (commas && group != 3) return std::nullopt;
  std::size_t fraction = 0;
  if (i < end && text[i] == '.') {
    number.push_back(text[i++]);
    for (; i < end && IsDigit(text[i]); ++i, ++fraction) number.push_back(text[i]);
  }
  if (whole == 0 && fraction == 0) return std::nullopt;
  if (i < end && (text[i] == 'e' || text[i] == 'E' || (syntax.dExponent && (text[i] == 'd' || text[i] == 'D')))) {
    number.push_back('e');
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) number.push_back(text[i++]);
    std::size_t digits = 0;
    for (; i < end && IsDigit(text[i]); ++i, ++digits) number.push_back(text[i]);
    if (digits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  return std::strtod(number.c_str(), nullptr);
}

double ReadLeadingNumber(std::string_view text) {
  const std::string s = WithoutBlanks(text);
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return ReadRadixNumber(std::string_view(s).substr(2), 16);
    if (s[1] == 'O' || s[1] == 'o') return ReadRadixNumber(std::string_view(s).substr(2), 8);
    return 0;
  }
  // Collect the longest prefix that is a decimal number, in the form strtod reads exactly.
  std::string number;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
  bool digits = false;
  while (i < s.size() && IsDigit(s[i])) number.push_back(s[i++]), digits = true;
  if (i < s.size() && s[i] == '.') {
    number.push_back(s[i++]);
    while (i < s.size() && IsDigit(s[i])) number.push_back(s[i++]), digits = true;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    bool expDigits = false;
    while (j < s.size() && IsDigit(s[j])) exponent.push_back(s[j++]), expDigits = true;
    if (expDigits) number += exponent;
  }
  errno = 0;
  const double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) Raise(errors::kOverflow);
  return value;
}

}  // namespace runtime
