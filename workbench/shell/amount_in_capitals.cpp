#include "workbench/shell/amount_in_capitals.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "platform/runtime/error.h"
#include "platform/runtime/number_format.h"
#include "platform/runtime/numeric_reading.h"

namespace 主类 {
namespace {

// One entry per position, from the lowest up; each numeral and unit is one Chinese character.
constexpr std::array<const char*, 14> kPositionUnits = {"分", "角", "元", "拾", "佰", "仟", "万",
                                                        "拾", "佰", "仟", "亿", "拾", "佰", "仟"};
constexpr std::array<const char*, 10> kDigits = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};

}  // namespace

std::string AmountToChineseUppercase(double amount) {
  if (!std::isfinite(amount)) return kAmountOverLimitText;
  const double rounded = runtime::ReadLeadingNumber(runtime::FormatNumber(amount, "###0.00"));
  if (std::fabs(rounded) > 999999999999.99) return kAmountOverLimitText;

  std::string digits = runtime::FormatNumber(rounded, "0.00");
  digits.erase(digits.find('.'), 1);
  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.erase(0, 1);

  std::string spelled;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const char d = digits[digits.size() - 1 - i];
    spelled = std::string(kDigits[static_cast<std::size_t>(d - '0')]) + kPositionUnits[i] + spelled;
  }
  return negative ? "负" + spelled : spelled;
}

// Scanned by hand: a pattern match recurses once per character, and a long paste would overflow
// the stack.
std::optional<double> TypedAmount(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t first = 0, end = text.size();
  while (first < end && blank(text[first])) ++first;
  while (end > first && blank(text[end - 1])) --end;
  const std::string_view number = text.substr(first, end - first);

  std::size_t i = 0, digits = 0;
  if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
  for (; i < number.size() && digit(number[i]); ++i) ++digits;
  if (i < number.size() && number[i] == '.')
    for (++i; i < number.size() && digit(number[i]); ++i) ++digits;
  if (i != number.size() || digits == 0) return std::nullopt;
  try {
    return runtime::ReadLeadingNumber(number);
  } catch (const runtime::Error&) {
    // Beyond the range of a double: far over the limit, of its sign.
    const double infinity = std::numeric_limits<double>::infinity();
    return number.front() == '-' ? -infinity : infinity;
  }
}

}  // namespace 主类
