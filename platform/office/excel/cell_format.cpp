#include "platform/office/excel/cell_format.h"

#include <charconv>
#include <cstdio>

namespace excel {
namespace {

constexpr std::array<std::string_view, 4> kHorizontal = {"general", "left", "center", "right"};
constexpr std::array<std::string_view, 3> kVertical = {"bottom", "center", "top"};
constexpr std::array<std::string_view, 8> kBorders = {"none", "thin", "medium", "thick", "double", "dashed", "dotted", "hair"};
constexpr std::array<std::string_view, 4> kSides = {"left", "top", "right", "bottom"};

template <class Enum, std::size_t N>
std::optional<Enum> Named(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::size_t i = 0; i < N; ++i)
    if (names[i] == name) return static_cast<Enum>(i);
  return std::nullopt;
}

}  // namespace

std::string_view NameOf(HorizontalAlignment a) { return kHorizontal[static_cast<std::size_t>(a)]; }
std::string_view NameOf(VerticalAlignment a) { return kVertical[static_cast<std::size_t>(a)]; }
std::string_view NameOf(BorderLine b) { return kBorders[static_cast<std::size_t>(b)]; }
std::string_view NameOf(Side s) { return kSides[static_cast<std::size_t>(s)]; }
std::optional<HorizontalAlignment> HorizontalNamed(std::string_view name) { return Named<HorizontalAlignment>(kHorizontal, name); }
std::optional<VerticalAlignment> VerticalNamed(std::string_view name) { return Named<VerticalAlignment>(kVertical, name); }
std::optional<BorderLine> BorderNamed(std::string_view name) { return Named<BorderLine>(kBorders, name); }

std::string RgbText(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
  return text;
}

std::optional<Rgb> RgbNamed(std::string_view text) {
  if (text.starts_with('#')) text.remove_prefix(1);
  else if (text.size() == 8) text.remove_prefix(2);  // alpha first, as Open XML writes it
  else return std::nullopt;
  if (text.size() != 6) return std::nullopt;
  Rgb rgb = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return rgb;
}

}  // namespace excel
