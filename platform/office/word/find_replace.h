#pragma once
// Find and replace over the main story: text runs and field results (never field codes) of
// paragraphs and table cells, in document order. A match lies within one run or one result.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/office/word/document.h"

namespace office::word {

// The settings of a find object; they persist between executions, as Word keeps them.
struct FindOptions {
  std::string text;
  std::string replacement;
  bool matchCase = false;
  bool matchWholeWord = false;
  bool matchWildcards = false;
  bool matchSoundsLike = false;
  bool matchAllWordForms = false;
  bool forward = true;
  std::int32_t wrap = 0;  // 0 stop, 1 continue, 2 ask (taken as stop: an automation call asks no one)
  bool format = false;
};

enum class ReplaceMode { None = 0, One = 1, All = 2 };

// Word takes no find or replacement text over 255 characters.
void CheckFindText(std::string_view text);

struct FindResult {
  bool found = false;
  Span selection;  // the match (None), the replaced text (One), or the selection unchanged (All)
};

// From the selection: a collapsed selection searches on to the story's end (or its start when not
// forward), a selected range only itself; wrapping searches the rest too. The replacement text
// understands ^^, ^p, ^t and ^& (the found text) and refuses any other ^ code.
FindResult Execute(DocumentContent& document, Span selection, const FindOptions& options, ReplaceMode mode);

}  // namespace office::word
