#pragma once
// The paragraph styles a document knows, with the look Word's Chinese template gives them, and
// the names they go by in the stand-in's file, in Office Open XML and on alignment.

#include <optional>
#include <string_view>

#include "platform/office/word/document.h"

namespace office::word {

struct StyleLook {
  ParagraphStyle style;
  std::string_view fileName;  // in the stand-in's own file
  std::string_view styleId;   // in styles.xml and a paragraph's pStyle
  std::string_view wordName;  // Word's built-in name, which other word processors map
  int halfPoints;
  bool bold;
  int spaceBefore, spaceAfter;  // in twips
};

const StyleLook& LookOf(ParagraphStyle style);
const StyleLook* LookByFileName(std::string_view name);
const StyleLook* LookByStyleId(std::string_view id);

// The body text's size: 五号.
inline constexpr int kNormalHalfPoints = 21;

std::string_view AlignmentName(Alignment alignment);  // in the stand-in's file
std::optional<Alignment> AlignmentByName(std::string_view name);

}  // namespace office::word
