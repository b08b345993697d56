#pragma once
// A row range: which rows of which sheet give keys and values, and how a value is written.

#include <cstdint>
#include <span>
#include <string_view>

namespace refreshers {

// Sheet columns by letter.
enum Column : std::int16_t { A = 1, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T };

// A replacement format: a number pattern applied to the numeric reading of the value's text, or
// the text unchanged.
inline constexpr std::string_view kRaw{};
inline constexpr std::string_view kMoney = "##,##0.00";
inline constexpr std::string_view kWhole = "##,##0";
inline constexpr std::string_view kPercent = "0.00%";
inline constexpr std::string_view kGroupedPercent = "##,##0.00%";
inline constexpr std::string_view kFourDecimals = "##,##0.0000";

struct RowRange {
  std::string_view sheet;
  std::int16_t first;
  std::int16_t last;
  Column key;
  Column value;
  std::string_view format;  // kRaw or a number pattern
};

using RowTable = std::span<const RowRange>;

}  // namespace refreshers
