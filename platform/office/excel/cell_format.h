#pragma once
// How a cell looks, apart from its number format: fill, font, alignment, wrap and borders, with
// the names the workbook file and Open XML's styles give them.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace excel {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

enum class HorizontalAlignment : std::uint8_t { General, Left, Center, Right };
enum class VerticalAlignment : std::uint8_t { Bottom, Center, Top };
enum class BorderLine : std::uint8_t { None, Thin, Medium, Thick, Double, Dashed, Dotted, Hair };
enum class Side : std::uint8_t { Left, Top, Right, Bottom };

inline constexpr double kStandardFontSize = 11;
inline constexpr double kStandardRowHeight = 13.5;  // points, for the standard font

struct CellFormat {
  std::optional<Rgb> fill;       // none: no fill
  std::optional<Rgb> fontColor;  // none: automatic (black)
  double fontSize = kStandardFontSize;
  bool bold = false, italic = false, wrap = false;
  HorizontalAlignment horizontal = HorizontalAlignment::General;
  VerticalAlignment vertical = VerticalAlignment::Bottom;
  std::array<BorderLine, 4> borders{};  // by Side

  BorderLine border(Side side) const { return borders[static_cast<std::size_t>(side)]; }
  bool hasBorder() const { return borders != std::array<BorderLine, 4>{}; }
  bool isDefault() const { return *this == CellFormat{}; }
  bool operator==(const CellFormat&) const = default;
};

// The names Open XML and the workbook file use: "left", "center", "thin"… Reading an unknown name
// gives nothing.
std::string_view NameOf(HorizontalAlignment a);
std::string_view NameOf(VerticalAlignment a);
std::string_view NameOf(BorderLine b);
std::string_view NameOf(Side s);
std::optional<HorizontalAlignment> HorizontalNamed(std::string_view name);
std::optional<VerticalAlignment> VerticalNamed(std::string_view name);
std::optional<BorderLine> BorderNamed(std::string_view name);

// "#RRGGBB" both ways; Open XML's "FFRRGGBB" (alpha first) is read as well.
std::string RgbText(Rgb rgb);
std::optional<Rgb> RgbNamed(std::string_view text);

}  // namespace excel
