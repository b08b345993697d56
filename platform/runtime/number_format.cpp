#include "platform/runtime/number_format.h"

#include <cmath>

#include "platform/runtime/decimal_digits.h"
#include "platform/runtime/number_text.h"

namespace runtime {
namespace {

struct Pattern {
  std::string prefix, suffix;  // literal text before the first and after the last placeholder
  int integerZeros = 0;
  int decimalZeros = 0;
  int decimalHashes = 0;
  bool grouping = false;
  bool point = false;
  bool percent = false;
};

Pattern ParsePattern(std::string_view text) {
  Pattern p;
  bool seenPlaceholder = false;
  for (char c : text) {
    const bool placeholder = c == '0' || c == '#' || c == '.' || c == ',';
    if (!placeholder) {
      if (c == '%') p.percent = true;
      (seenPlaceholder ? p.suffix : p.prefix).push_back(c);
      continue;
    }
    seenPlaceholder = true;
    if (c == '.') {
      p.point = true;
    } else if (c == ',') {
      if (!p.point) p.grouping = true;
    } else if (p.point) {
      (c == '0' ? p.decimalZeros : p.decimalHashes)++;
    } else if (c == '0') {
      p.integerZeros++;
    }
  }
  return p;
}

// The value times 10^decimals, rounded half away from zero, as a digit string.
std::string ScaledDigits(const DecimalDigits& d, int decimals) {
  if (d.digits.empty()) return "0";
  const int keep = d.exponent + decimals + 1;  // digits at or above the last shown place
  if (keep < 0) return "0";
  std::string kept = d.digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, static_cast<int>(d.digits.size()))));
  kept.append(static_cast<std::size_t>(keep) - kept.size(), '0');
  const bool roundUp = static_cast<std::size_t>(keep) < d.digits.size() && d.digits[static_cast<std::size_t>(keep)] >= '5';
  if (roundUp) {
    int i = static_cast<int>(kept.size()) - 1;
    for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i) kept[static_cast<std::size_t>(i)] = '0';
    if (i < 0) kept.insert(kept.begin(), '1');
    else kept[static_cast<std::size_t>(i)]++;
  }
  return kept.empty() ? "0" : kept;
}

std::string Grouped(const std::string& digits) {
  std::string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  return out;
}

}  // namespace

std::string FormatNumber(double value, std::string_view patternText) {
  if (!std::isfinite(value)) return NumberText(value);
  const Pattern p = ParsePattern(patternText);
  DecimalDigits d = ToDecimalDigits(value);
  if (p.percent && !d.digits.empty()) d.exponent += 2;
  const int decimals = p.decimalZeros + p.decimalHashes;

  std::string scaled = ScaledDigits(d, decimals);
  const bool zero = scaled.find_first_not_of('0') == std::string::npos;
  if (scaled.size() <= static_cast<std::size_t>(decimals))
    scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
  std::string integer = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
  std::string fraction = scaled.substr(integer.size());

  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
  if (integer.size() < static_cast<std::size_t>(p.integerZeros))
    integer.insert(0, static_cast<std::size_t>(p.integerZeros) - integer.size(), '0');
  while (fraction.size() > static_cast<std::size_t>(p.decimalZeros) && fraction.back() == '0') fraction.pop_back();

  std::string out = d.negative && !zero ? "-" : "";
  out += p.prefix;
  out += p.grouping ? Grouped(integer) : integer;
  if (p.point) out += "." + fraction;
  out += p.suffix;
  return out;
}

}  // namespace runtime
