#include "workbench/shell/amount_in_capitals.h"

#include <array>
#include <cmath>
#include <regex>
#include <string>

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

std::optional<double> TypedAmount(std::string_view text) {
  static const std::regex decimal(R"(\s*[+-]?(\d+\.?\d*|\.\d+)\s*)");
  const std::string s(text);
  if (!std::regex_match(s, decimal)) return std::nullopt;
  return runtime::ReadLeadingNumber(s);
}

}  // namespace 主类
