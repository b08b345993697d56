#include "platform/office/word/paragraph_styles.h"

#include <algorithm>
#include <array>

namespace office::word {
namespace {

constexpr std::array<StyleLook, 5> kLooks{{
    {ParagraphStyle::Normal, "normal", "Normal", "Normal", kNormalHalfPoints, false, 0, 0},
    {ParagraphStyle::Heading1, "heading1", "Heading1", "heading 1", 32, true, 340, 330},  // 三号
    {ParagraphStyle::Heading2, "heading2", "Heading2", "heading 2", 28, true, 260, 260},  // 四号
    {ParagraphStyle::Heading3, "heading3", "Heading3", "heading 3", 24, true, 260, 260},  // 小四
    {ParagraphStyle::Title, "title", "Title", "Title", 44, true, 240, 60},               // 二号
}};

constexpr std::array<std::string_view, 4> kAlignments{"left", "center", "right", "justify"};

template <class Key>
const StyleLook* Find(Key key) {
  const auto it = std::find_if(kLooks.begin(), kLooks.end(), key);
  return it == kLooks.end() ? nullptr : &*it;
}

}  // namespace

const StyleLook& LookOf(ParagraphStyle style) { return *Find([&](const StyleLook& l) { return l.style == style; }); }

const StyleLook* LookByFileName(std::string_view name) {
  return Find([&](const StyleLook& l) { return l.fileName == name; });
}

const StyleLook* LookByStyleId(std::string_view id) {
  return Find([&](const StyleLook& l) { return l.styleId == id; });
}

std::string_view AlignmentName(Alignment alignment) { return kAlignments[static_cast<std::size_t>(alignment)]; }

std::optional<Alignment> AlignmentByName(std::string_view name) {
  const auto it = std::find(kAlignments.begin(), kAlignments.end(), name);
  if (it == kAlignments.end()) return std::nullopt;
  return static_cast<Alignment>(it - kAlignments.begin());
}

}  // namespace office::word
