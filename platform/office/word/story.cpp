#include "platform/office/word/story.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

std::size_t InlineLength(const Inline& item) {
  if (const auto* run = std::get_if<Run>(&item)) return CharCount(run->text);
  const Field& f = std::get<Field>(item);
  return 3 + CharCount(f.code) + CharCount(f.result);
}

std::string Chars(const std::string& text, std::size_t from, std::size_t to) {
  const std::size_t b = ByteOffset(text, from);
  return text.substr(b, ByteOffset(text, to) - b);
}

void MergeRuns(Inlines& items) {
  Inlines out;
  out.reserve(items.size());
  for (Inline& item : items) {
    if (auto* run = std::get_if<Run>(&item)) {
      if (run->text.empty()) continue;
      if (!out.empty())
        if (auto* last = std::get_if<Run>(&out.back()); last && last->format == run->format) {
          last->text += run->text;
          continue;
        }
    }
    out.push_back(std::move(item));
  }
  items = std::move(out);
}

// A paragraph whose runs hold "\r" becomes one paragraph per mark, each with its format.
std::vector<Paragraph> SplitAtMarks(Paragraph& para) {
  std::vector<Paragraph> out(1);
  out.back().format = para.format;
  for (Inline& item : para.items) {
    auto* run = std::get_if<Run>(&item);
    if (!run) {
      out.back().items.push_back(std::move(item));
      continue;
    }
    std::size_t from = 0;
    for (std::size_t mark; (mark = run->text.find('\r', from)) != std::string::npos; from = mark + 1) {
      out.back().items.push_back(Run{run->text.substr(from, mark - from), run->format});
      out.emplace_back().format = para.format;
    }
    out.back().items.push_back(Run{run->text.substr(from), run->format});
  }
  for (Paragraph& p : out) MergeRuns(p.items);
  return out;
}

struct Container {
  Inlines* items = nullptr;
  std::size_t start = 0;
};

Container ContainerOf(Story& story, Span span) {
  Container found;
  Inlines* current = nullptr;
  std::size_t start = 0;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (p.container != current) current = p.container, start = pos;
    const bool mark = p.kind == PieceKind::ParagraphMark || p.kind == PieceKind::CellMark;
    if (mark && span.start >= start && span.end <= pos) {
      found = {current, start};
      return false;
    }
    return !mark || pos < span.start;
  });
  if (!found.items)
    errors::Raise(errors::kBadParameter, "The range must lie within one paragraph or table cell.");
  return found;
}

bool AllRuns(const Inlines& items) {
  return std::all_of(items.begin(), items.end(), [](const Inline& i) { return std::holds_alternative<Run>(i); });
}

RunFormat& FormatOf(Inline& item) {
  if (auto* run = std::get_if<Run>(&item)) return run->format;
  return std::get<Field>(item).format;
}

// The formatting that text put in place of the span takes, as Word's replace gives it: that of
// the first character replaced, or at an insertion point that of the character before it (the
// one after it at the start of a paragraph).
RunFormat FormatForSpan(Inlines& items, std::size_t start, Span span) {
  Inline* after = nullptr;
  std::size_t pos = start;
  for (Inline& item : items) {
    const std::size_t a = pos, b = pos + InlineLength(item);
    pos = b;
    if (a == b) continue;
    if (span.collapsed() ? a < span.start && span.start <= b : a <= span.start && span.start < b) return FormatOf(item);
    if (!after && a >= span.start) after = &item;
  }
  return after ? FormatOf(*after) : RunFormat{};
}

std::string RunsText(const Inlines& items) {
  std::string out;
  for (const Inline& i : items) out += std::get<Run>(i).text;
  return out;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  // Characters are the bytes that are no UTF-8 continuation bytes (10xxxxxx); eight at a time,
  // since position lookups count whole stories.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  std::size_t continuation = 0, i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    continuation += static_cast<std::size_t>(std::popcount(word & ~(word << 1) & kHighBits));
  }
  for (; i < text.size(); ++i) continuation += (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
  return text.size() - continuation;
}

std::size_t ByteOffset(std::string_view text, std::size_t chars) {
  std::size_t b = 0;
  for (; b < text.size(); ++b)
    if ((static_cast<unsigned char>(text[b]) & 0xC0) != 0x80 && chars-- == 0) return b;
  return text.size();
}

std::size_t StoryLength(const Story& story) {
  std::size_t length = 0;
  Walk(const_cast<Story&>(story), [&](const Piece& p) {  // the walk only reads here
    length += p.length();
    return true;
  });
  return length;
}

std::string SpanText(Story& story, Span span) {
  std::string out;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (pos >= span.end) return false;
    const std::size_t length = p.length();
    if (pos + length <= span.start) return true;
    switch (p.kind) {
      case PieceKind::Text:
      case PieceKind::FieldResult:
        out += Chars(*p.text, span.start > pos ? span.start - pos : 0, std::min(length, span.end - pos));
        break;
      case PieceKind::ParagraphMark: out += '\r'; break;
      case PieceKind::CellMark:
      case PieceKind::RowMark: out += "\r\a"; break;
      default: break;
    }
    return true;
  });
  return out;
}

Span ReplaceSpan(Story& story, Span span, Inlines replacement) {
  const Container container = ContainerOf(story, span);
  const RunFormat format = FormatForSpan(*container.items, container.start, span);
  std::size_t inserted = 0;
  for (Inline& i : replacement) {
    inserted += InlineLength(i);
    FormatOf(i) = format;
  }
  std::size_t pos = container.start;
  for (Inline& item : *container.items) {
    const std::size_t a = pos, b = pos + InlineLength(item);
    pos = b;
    auto* f = std::get_if<Field>(&item);
    if (!f || b <= span.start || a >= span.end || (a >= span.start && b <= span.end)) continue;
    // The span cuts this field: only plain text inside its shown result is allowed.
    const std::size_t resultStart = a + 2 + CharCount(f->code), resultEnd = b - 1;
    if (span.start < resultStart || span.end > resultEnd || !AllRuns(replacement))
      errors::Raise(errors::kBadParameter, "The range cuts a field.");
    f->result = Chars(f->result, 0, span.start - resultStart) + RunsText(replacement) +
                Chars(f->result, span.end - resultStart, resultEnd - resultStart);
    return {span.start, span.start + inserted};
  }
  Inlines items;
  pos = container.start;
  auto emplaceReplacement = [&] {
    for (Inline& i : replacement) items.push_back(std::move(i));
    replacement.clear();
  };
  for (Inline& item : *container.items) {
    const std::size_t length = InlineLength(item), a = pos, b = pos + length;
    pos = b;
    if (auto* run = std::get_if<Run>(&item)) {
      if (a < span.start) items.push_back(Run{Chars(run->text, 0, std::min(length, span.start - a)), run->format});
      if (b > span.end) {
        emplaceReplacement();
        items.push_back(Run{Chars(run->text, span.end > a ? span.end - a : 0, length), run->format});
      }
    } else if (b <= span.start) {
      items.push_back(std::move(item));
    } else if (a >= span.end) {
      emplaceReplacement();
      items.push_back(std::move(item));
    }
  }
  emplaceReplacement();
  *container.items = std::move(items);
  Normalize(story);
  return {span.start, span.start + inserted};
}

void Normalize(Story& story) {
  std::vector<Block> blocks;
  blocks.reserve(story.blocks.size());
  for (Block& block : story.blocks) {
    if (auto* para = std::get_if<Paragraph>(&block)) {
      for (Paragraph& p : SplitAtMarks(*para)) blocks.emplace_back(std::move(p));
      continue;
    }
    for (Row& row : std::get<Table>(block).rows)
      for (Cell& cell : row.cells) MergeRuns(cell.items);
    // Word keeps a paragraph between two tables; without one they would be one table.
    if (!blocks.empty() && std::holds_alternative<Table>(blocks.back())) blocks.emplace_back(Paragraph{});
    blocks.push_back(std::move(block));
  }
  if (blocks.empty() || !std::holds_alternative<Paragraph>(blocks.back())) blocks.emplace_back(Paragraph{});
  story.blocks = std::move(blocks);
}

std::vector<std::size_t> ParagraphStarts(Story& story) {
  std::vector<std::size_t> starts;
  const Inlines* current = nullptr;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (p.container && p.container != current) starts.push_back(pos);
    current = p.container;
    return true;
  });
  return starts;
}

std::vector<Table*> Tables(Story& story) {
  std::vector<Table*> tables;
  for (Block& b : story.blocks)
    if (auto* t = std::get_if<Table>(&b)) tables.push_back(t);
  return tables;
}

std::vector<Field*> FieldsIn(Story& story, Span span) {
  std::vector<Field*> fields;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (p.kind != PieceKind::FieldBegin) return pos <= span.end;
    const std::size_t end = pos + InlineLength(*p.field);
    const bool overlaps = span.collapsed() ? pos < span.start && span.start < end : pos < span.end && end > span.start;
    if (overlaps) fields.push_back(p.field);
    return pos <= span.end;
  });
  return fields;
}

Field* FieldById(Story& story, NodeId id) {
  Field* found = nullptr;
  Walk(story, [&](const Piece& p) {
    if (p.kind == PieceKind::FieldBegin && p.field->id == id) found = p.field;
    return !found;
  });
  return found;
}

std::optional<RowPlace> RowById(Story& story, NodeId id) {
  for (Table* t : Tables(story))
    for (std::size_t r = 0; r < t->rows.size(); ++r)
      if (t->rows[r].id == id) return RowPlace{t, r};
  return std::nullopt;
}

std::optional<RowPlace> RowAt(Story& story, std::size_t position) {
  std::optional<RowPlace> found;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (pos > position) return false;
    if (p.table && position < pos + p.length()) found = RowPlace{p.table, p.row};
    return !found;
  });
  return found;
}

namespace {
// The span of the pieces that the predicate picks out, which stand together in the story.
template <class Pick>
Span SpanOfPieces(Story& story, Pick pick) {
  std::optional<Span> span;
  WalkPositions(story, [&](const Piece& p, std::size_t pos) {
    if (!pick(p)) return !span;
    if (!span) span = Span{pos, pos};
    span->end = pos + p.length();
    return true;
  });
  if (!span) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
  return *span;
}
}  // namespace

Span RowSpan(Story& story, NodeId rowId) {
  const auto place = RowById(story, rowId);
  if (!place) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
  return SpanOfPieces(story, [&](const Piece& p) { return p.table == place->table && p.row == place->row; });
}

Span CellSpan(Story& story, NodeId rowId, std::size_t cell) {
  const auto place = RowById(story, rowId);
  if (!place) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
  return SpanOfPieces(story, [&](const Piece& p) {
    return p.table == place->table && p.row == place->row && p.cell == cell && p.kind != PieceKind::RowMark;
  });
}

Span TableSpan(Story& story, NodeId tableId) {
  return SpanOfPieces(story, [&](const Piece& p) { return p.table && p.table->id == tableId; });
}

}  // namespace office::word
