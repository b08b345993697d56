#pragma once
// Moves and edits of the selection that go beyond plain positions: by paragraph, to a table, and
// the insertion of table rows below the selection.

#include <cstddef>
#include <cstdint>

#include "platform/office/word/document.h"

namespace office::word {

inline constexpr std::int32_t kUnitParagraph = 4;
inline constexpr std::int32_t kGoToTable = 2;

// Moves to the start of the paragraph (or cell) count times; a selected range first collapses to
// its start, which counts as one move. Gives the new insertion point and the moves made.
struct Move {
  Span selection;
  std::int32_t moved = 0;
};
Move MoveUpParagraphs(Story& story, Span selection, std::int32_t count);

// Word's go-to of tables: which = 1 the table numbered count, -1 the last, 2 the count-th next,
// 3 the count-th previous table. Gives the insertion point at the table's start.
Span GoToTable(Story& story, Span selection, std::int32_t which, std::int32_t count);

// Inserts count empty rows, shaped like the row of the selection's end, below that row, and gives
// the span of the new rows.
Span InsertRowsBelow(DocumentContent& document, Span selection, std::int32_t count);

}  // namespace office::word
