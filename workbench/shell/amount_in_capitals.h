#pragma once
// Money amounts in Chinese capital numerals, every position spelled out.

#include <optional>
#include <string>
#include <string_view>

namespace 主类 {

inline constexpr const char* kAmountOverLimitText = "需转换的金额整数长度超过了12位！";

// 123.45 -> 壹佰贰拾叁元肆角伍分; more than 12 integer digits -> kAmountOverLimitText.
std::string AmountToChineseUppercase(double amount);

// The amount a user has typed, when the text is a complete decimal number ("12", "-0.5", "3.");
// nothing for an empty text, a lone sign or point, letters or trailing characters.
std::optional<double> TypedAmount(std::string_view text);

}  // namespace 主类
