#pragma once
// Character positions over a story, as Word counts them: a text run counts its characters, a
// field its begin mark, code, separator, result and end mark, and each paragraph, cell and row
// ends in a mark of one character. Everything that reads or edits by position goes through the
// one walk below.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/office/word/document.h"

namespace office::word {

std::size_t CharCount(std::string_view text);
// The byte offset of the character at index chars (text.size() past the end).
std::size_t ByteOffset(std::string_view text, std::size_t chars);

enum class PieceKind { Text, FieldBegin, FieldCode, FieldSeparator, FieldResult, FieldEnd, ParagraphMark, CellMark, RowMark };

struct Piece {
  PieceKind kind = PieceKind::Text;
  std::string* text = nullptr;   // Text, FieldCode and FieldResult
  Field* field = nullptr;        // the pieces of a field
  Inlines* container = nullptr;  // the paragraph or cell of the piece (none for a row mark)
  Paragraph* paragraph = nullptr;  // set outside a table
  RunFormat* format = nullptr;     // of a run's text or a field's pieces
  Table* table = nullptr;          // set inside a table
  std::size_t row = 0;
  std::size_t cell = 0;
  std::size_t length() const { return text ? CharCount(*text) : 1; }
};

namespace detail {
template <class Visit>
bool WalkInlines(Inlines& items, Piece& p, Visit& visit) {
  p.container = &items;
  for (Inline& item : items) {
    if (auto* run = std::get_if<Run>(&item)) {
      p.kind = PieceKind::Text, p.text = &run->text, p.field = nullptr, p.format = &run->format;
      if (!visit(static_cast<const Piece&>(p))) return false;
      continue;
    }
    Field& f = std::get<Field>(item);
    p.field = &f, p.format = &f.format;
    const std::pair<PieceKind, std::string*> parts[] = {{PieceKind::FieldBegin, nullptr},
                                                        {PieceKind::FieldCode, &f.code},
                                                        {PieceKind::FieldSeparator, nullptr},
                                                        {PieceKind::FieldResult, &f.result},
                                                        {PieceKind::FieldEnd, nullptr}};
    for (const auto& [kind, text] : parts) {
      p.kind = kind, p.text = text;
      if (!visit(static_cast<const Piece&>(p))) return false;
    }
  }
  p.kind = p.table ? PieceKind::CellMark : PieceKind::ParagraphMark;
  p.text = nullptr, p.field = nullptr, p.format = nullptr;
  return visit(static_cast<const Piece&>(p));
}
}  // namespace detail

// Visits every piece in document order until visit returns false.
template <class Visit>
void Walk(Story& story, Visit&& visit) {
  for (Block& block : story.blocks) {
    Piece p;
    if (auto* para = std::get_if<Paragraph>(&block)) {
      p.paragraph = para;
      if (!detail::WalkInlines(para->items, p, visit)) return;
      continue;
    }
    Table& table = std::get<Table>(block);
    p.table = &table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      p.row = r;
      for (std::size_t c = 0; c < table.rows[r].cells.size(); ++c) {
        p.cell = c;
        if (!detail::WalkInlines(table.rows[r].cells[c].items, p, visit)) return;
      }
      p.kind = PieceKind::RowMark, p.text = nullptr, p.field = nullptr, p.container = nullptr, p.format = nullptr;
      if (!visit(static_cast<const Piece&>(p))) return;
    }
  }
}

// Walk with the start position of each piece: visit(piece, start).
template <class Visit>
void WalkPositions(Story& story, Visit&& visit) {
  std::size_t pos = 0;
  Walk(story, [&](const Piece& p) {
    if (!visit(p, pos)) return false;
    pos += p.length();
    return true;
  });
}

std::size_t StoryLength(const Story& story);
// The text as Range.Text shows it: field results without their codes, "\r" after a paragraph,
// "\r\a" (Word's cell marker) after a cell and a row.
std::string SpanText(Story& story, Span span);

// Replaces the span by the inlines and gives the span they now take. The span must lie in one
// paragraph or cell; it may also lie inside one field's result when plain text is put there. The
// inlines take the formatting of the text they replace, as Word's replace gives it.
Span ReplaceSpan(Story& story, Span span, Inlines replacement);

// Adjacent runs of one format merged, empty ones dropped, a "\r" in a paragraph's run made a
// paragraph of its own (of the same format), and a paragraph after each table, as Word keeps one.
void Normalize(Story& story);

// Starts of the paragraphs and cells: the stops of a move by paragraph.
std::vector<std::size_t> ParagraphStarts(Story& story);

std::vector<Table*> Tables(Story& story);
// The fields that overlap the span (or hold a collapsed span inside them), in document order;
// valid until the story's next edit.
std::vector<Field*> FieldsIn(Story& story, Span span);
Field* FieldById(Story& story, NodeId id);

struct RowPlace {
  Table* table = nullptr;
  std::size_t row = 0;
};
std::optional<RowPlace> RowById(Story& story, NodeId id);
std::optional<RowPlace> RowAt(Story& story, std::size_t position);
Span RowSpan(Story& story, NodeId rowId);
Span CellSpan(Story& story, NodeId rowId, std::size_t cell);  // content and its end-of-cell mark
Span TableSpan(Story& story, NodeId tableId);

}  // namespace office::word
