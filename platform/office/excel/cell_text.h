#pragma once
// Excel's limit on the text of a cell, and its way of counting characters (UTF-16 units).

#include <cstddef>
#include <string_view>

namespace excel {

inline constexpr std::size_t kMaxCellText = 32767;

inline std::size_t TextLength(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;
    if (byte >= 0xF0) ++units;  // beyond the basic plane: a surrogate pair
  }
  return units;
}

}  // namespace excel
