#include "platform/office/word/selection.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {
[[noreturn]] void NoSuchMember() {
  errors::Raise(errors::kNoSuchCollectionMember, "The requested member of the collection does not exist.");
}
void CheckCount(std::int32_t count) {
  if (count < 1) errors::Raise(errors::kBadParameter, "Bad parameter: the count must be 1 or more.");
}
}  // namespace

Move MoveUpParagraphs(Story& story, Span selection, std::int32_t count) {
  if (count < 0) errors::Raise(errors::kBadParameter, "Bad parameter: the count must not be negative.");
  Move move{{selection.start, selection.start}, 0};
  if (!selection.collapsed() && count > 0) ++move.moved;
  const std::vector<std::size_t> starts = ParagraphStarts(story);
  std::size_t& pos = move.selection.start;
  for (; move.moved < count; ++move.moved) {
    const auto after = std::lower_bound(starts.begin(), starts.end(), pos);
    if (after == starts.begin()) break;
    pos = *(after - 1);
  }
  move.selection.end = pos;
  return move;
}

Span GoToTable(Story& story, Span selection, std::int32_t which, std::int32_t count) {
  std::vector<std::size_t> starts;
  for (Table* t : Tables(story)) starts.push_back(TableSpan(story, t->id).start);
  std::size_t index = 0;  // 1-based; 0: none
  switch (which) {
    case 1: index = count >= 1 && static_cast<std::size_t>(count) <= starts.size() ? count : 0; break;
    case -1: index = starts.size(); break;
    case 2: {
      CheckCount(count);
      const auto next = std::upper_bound(starts.begin(), starts.end(), selection.start) - starts.begin();
      index = static_cast<std::size_t>(next) + count <= starts.size() ? next + count : 0;
      break;
    }
    case 3: {
      CheckCount(count);
      const auto before = std::lower_bound(starts.begin(), starts.end(), selection.start) - starts.begin();
      index = before >= count ? before - count + 1 : 0;
      break;
    }
    default: errors::Raise(errors::kBadParameter, "Bad parameter: unknown go-to direction " + std::to_string(which) + ".");
  }
  if (index == 0) NoSuchMember();
  return {starts[index - 1], starts[index - 1]};
}

Span InsertRowsBelow(DocumentContent& document, Span selection, std::int32_t count) {
  CheckCount(count);
  const auto place = RowAt(document.main, selection.collapsed() ? selection.start : selection.end - 1);
  if (!place) errors::Raise(errors::kCommandFailed, "The selection is not in a table.");
  std::vector<Row>& rows = place->table->rows;
  const std::size_t cells = rows[place->row].cells.size();
  std::vector<Row> added(static_cast<std::size_t>(count));
  for (Row& row : added) row = Row{document.NewId(), std::vector<Cell>(cells)};
  const NodeId first = added.front().id, last = added.back().id;
  rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(place->row) + 1, added.begin(), added.end());
  return {RowSpan(document.main, first).start, RowSpan(document.main, last).end};
}

}  // namespace office::word
