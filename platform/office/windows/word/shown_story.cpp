#include "platform/office/windows/word/shown_story.h"

#include <algorithm>
#include <limits>
#include <optional>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "platform/office/word/paragraph_styles.h"
#include "platform/office/word/story.h"

namespace office::windows::word {
namespace {

using office::word::Block;
using office::word::Cell;
using office::word::Field;
using office::word::Inline;
using office::word::Inlines;
using office::word::Paragraph;
using office::word::Piece;
using office::word::PieceKind;
using office::word::ParagraphFormat;
using office::word::Row;
using office::word::Run;
using office::word::RunFormat;
using office::word::Span;
using office::word::Story;
using office::word::Table;

constexpr std::size_t kUnset = std::numeric_limits<std::size_t>::max();
// The longest stretch of text shown as one block: the layout of a block costs more than its
// length, so a longer paragraph is shown in blocks of this size, the breaks standing for nothing.
constexpr int kLongestShownBlock = 2000;
// More changed paragraphs and cells than this (a refresh's burst) are shown by rendering anew:
// the view then lays the new text out lazily, a screenful first, rather than all of it at once.
constexpr std::size_t kMostRegions = 64;

// Twips on the page as pixels of a 96 dpi screen.
qreal Pixels(int twips) { return twips / 15.0; }

// One model character (a UTF-8 lead byte and its continuation bytes, as CharCount counts them)
// as UTF-16; a malformed one as the replacement character.
char32_t DecodeChar(std::string_view text, std::size_t& b) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(b++);
  std::size_t follow = 0;
  char32_t c = 0;
  if (lead < 0x80) return lead;
  if ((lead & 0xE0) == 0xC0) follow = 1, c = lead & 0x1F;
  else if ((lead & 0xF0) == 0xE0) follow = 2, c = lead & 0x0F;
  else if ((lead & 0xF8) == 0xF0) follow = 3, c = lead & 0x07;
  std::size_t got = 0;
  for (; b < text.size() && (byte(b) & 0xC0) == 0x80; ++b, ++got) c = (c << 6) | (byte(b) & 0x3F);
  if (follow == 0 || got != follow || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
  return c;
}

class Renderer {
 public:
  // Renders at the cursor: the maps start at its position and at model position modelBase. A
  // cell's content ends in the cell's mark, which shows no character of its own.
  Renderer(QTextCursor cursor, std::size_t modelBase, bool cellContent)
      : cursor_(std::move(cursor)), base_(cursor_.position()), modelBase_(modelBase), cellContent_(cellContent) {
    body_.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    body_.setBottomMargin(2);
    cellBlock_.setLineHeight(120, QTextBlockFormat::ProportionalHeight);
    field_.setBackground(FieldShading());
    tableFormat_.setBorder(1);
    tableFormat_.setBorderBrush(QColor(0x40, 0x40, 0x40));
    tableFormat_.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat_.setBorderCollapse(true);
    tableFormat_.setCellSpacing(0);
    tableFormat_.setCellPadding(4);
    tableFormat_.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tableFormat_.setTopMargin(4);
    tableFormat_.setBottomMargin(4);
  }

  // A new document's first block takes the body's format.
  void FormatFirstBlock() {
    cursor_.setBlockFormat(body_);
    cursor_.setBlockCharFormat(plain_);
  }

  // A piece of the walked story, at its position there.
  void Piece(const office::word::Piece& p, std::size_t at) {
    const std::size_t pos = modelBase_ + at;
    if (p.table != table_) {
      LeaveTable();
      if (p.table) EnterTable(*p.table);
    }
    if (p.paragraph != paragraph_) {
      paragraph_ = p.paragraph;
      if (paragraph_ && !cellContent_) {
        paragraphBlock_ = BlockFormat(paragraph_->format);
        if (!pendingBlock_) cursor_.setBlockFormat(paragraphBlock_);
      }
    }
    if (p.table && p.kind != PieceKind::RowMark && (p.row != row_ || p.cell != cell_)) {
      row_ = p.row, cell_ = p.cell;
      cursor_ = shownTable_->cellAt(static_cast<int>(row_), static_cast<int>(cell_)).firstCursorPosition();
      cursor_.setBlockFormat(cellBlock_);
    }
    if (pendingBlock_ && !p.table) {
      cursor_.insertBlock(paragraph_ && !cellContent_ ? paragraphBlock_ : body_, plain_);
      pendingBlock_ = false;
    }
    const int s = cursor_.position();
    switch (p.kind) {
      case PieceKind::Text: Text(*p.text, pos, CharFormat(plain_, *p.format)); break;
      case PieceKind::FieldResult: Text(*p.text, pos, CharFormat(field_, *p.format)); break;
      case PieceKind::FieldBegin:
        maps_.modelToShown.push_back(s);
        Stop(s, pos);
        break;
      case PieceKind::FieldCode: maps_.modelToShown.insert(maps_.modelToShown.end(), p.length(), s); break;
      case PieceKind::FieldSeparator:
      case PieceKind::FieldEnd:
      case PieceKind::RowMark: maps_.modelToShown.push_back(s); break;
      case PieceKind::CellMark:
        maps_.modelToShown.push_back(s);
        Stop(s, pos);
        break;
      case PieceKind::ParagraphMark:
        maps_.modelToShown.push_back(s);
        Stop(s, pos);
        if (!cellContent_) At(s) = {ShownChar::Kind::Mark, pos};
        pendingBlock_ = true;
        break;
    }
  }

  // The maps from the first position to the one the rendering ended at; a caret on a table's
  // frame stands at the next place of the model (at fallback past the last).
  ShownStory::Maps Finish(std::size_t fallback) {
    LeaveTable();
    const auto count = static_cast<std::size_t>(cursor_.position() - base_) + 1;
    maps_.shownToModel.resize(count, kUnset);
    maps_.chars.resize(count);
    std::size_t next = fallback;
    for (std::size_t i = count; i-- > 0;) {
      if (maps_.shownToModel[i] == kUnset) maps_.shownToModel[i] = next;
      next = maps_.shownToModel[i];
    }
    return std::move(maps_);
  }

 private:
  // The paragraph's style and its own settings, on the body's spacing.
  QTextBlockFormat BlockFormat(const ParagraphFormat& format) const {
    const office::word::StyleLook& look = office::word::LookOf(format.style);
    QTextBlockFormat block = body_;
    const Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
    block.setAlignment(alignments[static_cast<int>(format.alignment)]);
    block.setTextIndent(Pixels(format.firstLineIndent));
    block.setTopMargin(Pixels(look.spaceBefore));
    block.setBottomMargin(std::max<qreal>(body_.bottomMargin(), Pixels(look.spaceAfter)));
    return block;
  }

  // The paragraph's style's font, with the run's own bold, italic and size over it.
  QTextCharFormat CharFormat(const QTextCharFormat& base, const RunFormat& format) const {
    const office::word::StyleLook& look = office::word::LookOf(paragraph_ && !cellContent_ ? paragraph_->format.style
                                                                                            : office::word::ParagraphStyle::Normal);
    QTextCharFormat out = base;
    const int halfPoints = format.halfPoints > 0 ? format.halfPoints : look.halfPoints;
    if (halfPoints != office::word::kNormalHalfPoints) out.setFontPointSize(halfPoints / 2.0);
    if (format.bold || look.bold) out.setFontWeight(QFont::Bold);
    if (format.italic) out.setFontItalic(true);
    return out;
  }

  void EnterTable(Table& table) {
    if (pendingBlock_) {
      // The new empty block stays after the table, where the next paragraph goes.
      cursor_.insertBlock(body_, plain_);
      pendingBlock_ = false;
    }
    std::size_t columns = 1;
    for (const Row& r : table.rows) columns = std::max(columns, r.cells.size());
    table_ = &table;
    QTextTableFormat format = tableFormat_;
    if (!table.borders) {
      // A table without borders shows light dotted gridlines, as Word shows them.
      format.setBorderBrush(QColor(0xC0, 0xC0, 0xC0));
      format.setBorderStyle(QTextFrameFormat::BorderStyle_Dotted);
    }
    if (table.columnWidths.size() == columns) {
      double total = 0;
      for (const int w : table.columnWidths) total += w;
      QList<QTextLength> widths;
      for (const int w : table.columnWidths) widths.append(QTextLength(QTextLength::PercentageLength, 100.0 * w / total));
      format.setColumnWidthConstraints(widths);
    }
    shownTable_ = cursor_.insertTable(static_cast<int>(std::max<std::size_t>(table.rows.size(), 1)), static_cast<int>(columns),
                                      format);
    // A row of fewer cells has its last cell across the rest of the grid.
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      const std::size_t n = table.rows[r].cells.size();
      if (n > 0 && n < columns)
        shownTable_->mergeCells(static_cast<int>(r), static_cast<int>(n - 1), 1, static_cast<int>(columns - n + 1));
    }
    row_ = cell_ = kUnset;
  }

  void LeaveTable() {
    if (!table_) return;
    cursor_.setPosition(shownTable_->lastPosition() + 1);
    cursor_.setBlockFormat(body_);
    table_ = nullptr;
    shownTable_ = nullptr;
  }

  std::size_t Index(int s) const { return static_cast<std::size_t>(s - base_); }
  ShownChar& At(int s) {
    const std::size_t i = Index(s);
    if (maps_.chars.size() <= i) maps_.chars.resize(i + 1);
    return maps_.chars[i];
  }
  void Stop(int s, std::size_t model) {
    const std::size_t i = Index(s);
    if (maps_.shownToModel.size() <= i) maps_.shownToModel.resize(i + 1, kUnset);
    if (maps_.shownToModel[i] == kUnset) maps_.shownToModel[i] = model;
  }

  void Text(const std::string& text, std::size_t pos, const QTextCharFormat& format) {
    QString chunk;
    int s = cursor_.position();
    const auto flush = [&] {
      if (!chunk.isEmpty()) cursor_.insertText(chunk, format);
      chunk.clear();
    };
    std::size_t b = 0;
    while (b < text.size() && (static_cast<unsigned char>(text[b]) & 0xC0) == 0x80) ++b;  // no character's
    for (std::size_t m = pos; b < text.size(); ++m) {
      const char32_t c = DecodeChar(text, b);
      if (cursor_.positionInBlock() + chunk.size() >= kLongestShownBlock) {
        flush();
        cursor_.insertBlock(cursor_.blockFormat(), format);
        At(s) = {ShownChar::Kind::Structure, m};
        ++s;
      }
      maps_.modelToShown.push_back(s);
      Stop(s, m);
      At(s) = {ShownChar::Kind::Text, m};
      if (c == U'\r') {  // a paragraph mark inside a cell or a field's result
        flush();
        cursor_.insertBlock(cursor_.blockFormat(), format);
        ++s;
        continue;
      }
      if (c == U'\f') {  // a page break: the rest on a new page
        flush();
        QTextBlockFormat next = paragraph_ && !cellContent_ ? paragraphBlock_ : cursor_.blockFormat();
        next.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor_.insertBlock(next, format);
        ++s;
        continue;
      }
      if (c == U'\n' || c == U'\v') {
        chunk += QChar(QChar::LineSeparator);
        ++s;
        continue;
      }
      const char32_t units[] = {c, 0};
      const QString q = QString::fromUcs4(units, 1);
      chunk += q;
      ++s;
      if (q.size() == 2) {
        At(s) = {ShownChar::Kind::Text, m};
        ++s;
      }
    }
    flush();
  }

  QTextCursor cursor_;
  const int base_;
  const std::size_t modelBase_;
  const bool cellContent_;
  ShownStory::Maps maps_;
  QTextBlockFormat body_, cellBlock_;
  QTextCharFormat plain_, field_;
  QTextTableFormat tableFormat_;
  bool pendingBlock_ = false;
  const Paragraph* paragraph_ = nullptr;
  QTextBlockFormat paragraphBlock_;
  Table* table_ = nullptr;
  QTextTable* shownTable_ = nullptr;
  std::size_t row_ = kUnset, cell_ = kUnset;
};

bool SameInlines(const Inlines& a, const Inlines& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].index() != b[i].index()) return false;
    if (const auto* run = std::get_if<Run>(&a[i])) {
      if (*run != std::get<Run>(b[i])) return false;
      continue;
    }
    const Field &f = std::get<Field>(a[i]), &g = std::get<Field>(b[i]);
    if (f.code != g.code || f.result != g.result || f.format != g.format) return false;
  }
  return true;
}

bool SameBlock(const Block& a, const Block& b) {
  if (a.index() != b.index()) return false;
  if (const auto* p = std::get_if<Paragraph>(&a))
    return p->format == std::get<Paragraph>(b).format && SameInlines(p->items, std::get<Paragraph>(b).items);
  const Table &t = std::get<Table>(a), &u = std::get<Table>(b);
  if (t.rows.size() != u.rows.size() || t.borders != u.borders || t.columnWidths != u.columnWidths) return false;
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    const std::vector<Cell>&c = t.rows[r].cells, &d = u.rows[r].cells;
    if (c.size() != d.size()) return false;
    for (std::size_t k = 0; k < c.size(); ++k)
      if (!SameInlines(c[k].items, d[k].items)) return false;
  }
  return true;
}

bool SameShape(const Table& t, const Table& u) {
  if (t.rows.size() != u.rows.size() || t.borders != u.borders || t.columnWidths != u.columnWidths) return false;
  for (std::size_t r = 0; r < t.rows.size(); ++r)
    if (t.rows[r].cells.size() != u.rows[r].cells.size()) return false;
  return true;
}

// The positions walked over the story, with each piece given to visit.
template <class Visit>
std::size_t WalkLength(Story& story, Visit&& visit) {
  std::size_t length = 0;
  office::word::WalkPositions(story, [&](const office::word::Piece& p, std::size_t pos) {
    visit(p, pos);
    length = pos + p.length();
    return true;
  });
  return length;
}

Story StoryOf(const Inlines& items) {
  Story story;
  story.blocks.emplace_back(Paragraph{items});
  return story;
}

// The model start of each block: a paragraph's first piece, a table's first cell.
std::vector<std::size_t> BlockStarts(Story& story) {
  std::vector<std::size_t> starts;
  const Table* table = nullptr;
  const Inlines* container = nullptr;
  office::word::WalkPositions(story, [&](const office::word::Piece& p, std::size_t pos) {
    if (p.table ? p.table != table : (table || p.container != container)) starts.push_back(pos);
    table = p.table;
    if (!p.table) container = p.container;
    return true;
  });
  return starts;
}

std::size_t Shifted(std::size_t value, std::ptrdiff_t by) {
  return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(value) + by);
}

// A stretch shown anew: the content of paragraphs or of a cell, from its first model position
// to its last mark, in the positions of before the update.
struct Region {
  std::size_t from = 0, mark = 0;
  Story replacement;
  bool cell = false;
  int shownFrom = 0, shownMark = 0;
  ShownStory::Maps maps;  // relative to from and shownFrom
};

}  // namespace

QFont PageFont() {
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPointSizeF(10.5);  // 五号, Word's body text
  return font;
}

QColor FieldShading() { return QColor(0xD9, 0xD9, 0xD9); }

void ShownStory::Render(Story& story, QTextDocument& document) {
  document.clear();
  Renderer renderer(QTextCursor(&document), 0, false);
  renderer.FormatFirstBlock();
  const std::size_t length = WalkLength(story, [&](const office::word::Piece& p, std::size_t pos) { renderer.Piece(p, pos); });
  Maps maps = renderer.Finish(length > 0 ? length - 1 : 0);
  modelToShown_ = std::move(maps.modelToShown);
  modelToShown_.push_back(static_cast<int>(maps.shownToModel.size()) - 1);
  shownToModel_ = std::move(maps.shownToModel);
  chars_ = std::move(maps.chars);
  blockStarts_ = BlockStarts(story);
  incremental_ = blockStarts_.size() == story.blocks.size();
}

bool ShownStory::Update(Story& now, const Story& before, QTextDocument& document) {
  if (!incremental_ || blockStarts_.size() != before.blocks.size()) return false;
  const std::size_t oldCount = before.blocks.size(), newCount = now.blocks.size();
  const std::size_t oldLength = modelLength();
  const auto startOf = [&](std::size_t block) { return block < blockStarts_.size() ? blockStarts_[block] : oldLength; };
  const auto isParagraph = [](const Block& b) { return std::holds_alternative<Paragraph>(b); };
  std::vector<Region> regions;
  const auto paragraphs = [&](std::size_t oldFrom, std::size_t oldTo, std::size_t newFrom, std::size_t newTo) {
    Region r;
    r.from = blockStarts_[oldFrom];
    r.mark = startOf(oldTo) - 1;
    r.replacement.blocks.assign(now.blocks.begin() + static_cast<std::ptrdiff_t>(newFrom), now.blocks.begin() + static_cast<std::ptrdiff_t>(newTo));
    regions.push_back(std::move(r));
  };

  if (oldCount == newCount) {
    // Edits that keep the paragraphs and tables (a refresh's replacements, typing): each changed
    // paragraph, and each changed cell of a table of the same shape, is a region.
    for (std::size_t i = 0; i < oldCount; ++i) {
      const Block &was = before.blocks[i], &is = now.blocks[i];
      if (SameBlock(was, is)) continue;
      if (isParagraph(was) && isParagraph(is)) {
        paragraphs(i, i + 1, i, i + 1);
        continue;
      }
      if (isParagraph(was) || isParagraph(is) || !SameShape(std::get<Table>(was), std::get<Table>(is))) return false;
      const Table &old = std::get<Table>(was), &table = std::get<Table>(is);
      Story alone;  // the table as it was, for its cells' places
      alone.blocks.push_back(was);
      std::vector<std::pair<std::size_t, std::size_t>> cells;  // first position and mark of each cell
      WalkLength(alone, [&](const office::word::Piece& p, std::size_t pos) {
        if (p.kind == PieceKind::RowMark) return;
        if (cells.empty() || cells.back().second != kUnset) cells.emplace_back(pos, kUnset);
        if (p.kind == PieceKind::CellMark) cells.back().second = pos;
      });
      std::size_t k = 0;
      for (std::size_t r = 0; r < old.rows.size(); ++r)
        for (std::size_t c = 0; c < old.rows[r].cells.size(); ++c, ++k) {
          if (SameInlines(old.rows[r].cells[c].items, table.rows[r].cells[c].items)) continue;
          Region region;
          region.from = blockStarts_[i] + cells[k].first;
          region.mark = blockStarts_[i] + cells[k].second;
          region.replacement = StoryOf(table.rows[r].cells[c].items);
          region.cell = true;
          regions.push_back(std::move(region));
        }
    }
    if (regions.empty()) return true;
    if (regions.size() > kMostRegions) return false;
  } else {
    // Paragraphs split, joined, put in or taken out: one stretch of paragraphs between the
    // blocks that stayed the same at either end.
    std::size_t first = 0, same = 0;
    while (first < oldCount && first < newCount && SameBlock(before.blocks[first], now.blocks[first])) ++first;
    while (same < oldCount - first && same < newCount - first &&
           SameBlock(before.blocks[oldCount - 1 - same], now.blocks[newCount - 1 - same]))
      ++same;
    if (first + same == oldCount || first + same == newCount) {  // whole paragraphs: a neighbour with them
      if (same > 0) --same;
      else if (first > 0) --first;
    }
    const std::size_t oldEnd = oldCount - same, newEnd = newCount - same;
    if (first >= oldEnd || first >= newEnd) return false;
    for (std::size_t i = first; i < oldEnd; ++i)
      if (!isParagraph(before.blocks[i])) return false;
    for (std::size_t i = first; i < newEnd; ++i)
      if (!isParagraph(now.blocks[i])) return false;
    paragraphs(first, oldEnd, first, newEnd);
  }

  // The shown text from the last region to the first, so that each one's place is as mapped.
  for (auto r = regions.rbegin(); r != regions.rend(); ++r) {
    if (r->mark >= oldLength || r->from > r->mark) return false;
    r->shownFrom = ShownOf(r->from);
    r->shownMark = ShownOf(r->mark);
    QTextCursor cursor(&document);
    cursor.setPosition(r->shownFrom);
    cursor.setPosition(r->shownMark, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    Renderer renderer(cursor, 0, r->cell);
    const std::size_t length =
        WalkLength(r->replacement, [&](const office::word::Piece& p, std::size_t pos) { renderer.Piece(p, pos); });
    if (length == 0) return false;
    r->maps = renderer.Finish(length - 1);
    for (int& shown : r->maps.modelToShown) shown -= r->shownFrom;
  }

  // The maps again, in one pass: the old between the regions, shifted, and the regions' own.
  Maps maps;
  maps.modelToShown.reserve(modelToShown_.size());
  maps.shownToModel.reserve(shownToModel_.size());
  maps.chars.reserve(chars_.size());
  std::ptrdiff_t modelShift = 0;
  int shownShift = 0;
  std::size_t model = 0, shown = 0;  // the old positions copied so far
  const auto copyUpTo = [&](std::size_t modelEnd, std::size_t shownEnd) {
    for (; model < modelEnd; ++model) maps.modelToShown.push_back(modelToShown_[model] + shownShift);
    for (; shown < shownEnd; ++shown) {
      maps.shownToModel.push_back(Shifted(shownToModel_[shown], modelShift));
      ShownChar c = chars_[shown];
      if (c.kind != ShownChar::Kind::Structure) c.model = Shifted(c.model, modelShift);
      maps.chars.push_back(c);
    }
  };
  for (Region& r : regions) {
    copyUpTo(r.from, static_cast<std::size_t>(r.shownFrom));
    const std::size_t newFrom = Shifted(r.from, modelShift);
    const int newShownFrom = r.shownFrom + shownShift;
    for (int s : r.maps.modelToShown) maps.modelToShown.push_back(s + newShownFrom);
    for (std::size_t m : r.maps.shownToModel) maps.shownToModel.push_back(m + newFrom);
    for (ShownChar c : r.maps.chars) {
      if (c.kind != ShownChar::Kind::Structure) c.model += newFrom;
      maps.chars.push_back(c);
    }
    modelShift += static_cast<std::ptrdiff_t>(r.maps.modelToShown.size()) - static_cast<std::ptrdiff_t>(r.mark - r.from + 1);
    shownShift += static_cast<int>(r.maps.shownToModel.size()) - (r.shownMark - r.shownFrom + 1);
    model = r.mark + 1;
    shown = static_cast<std::size_t>(r.shownMark) + 1;
  }
  copyUpTo(modelToShown_.size(), shownToModel_.size());
  modelToShown_ = std::move(maps.modelToShown);
  shownToModel_ = std::move(maps.shownToModel);
  chars_ = std::move(maps.chars);
  blockStarts_ = BlockStarts(now);
  incremental_ = blockStarts_.size() == now.blocks.size();
  return incremental_ && shownToModel_.size() == static_cast<std::size_t>(document.characterCount()) &&
         modelLength() == office::word::StoryLength(now);
}

int ShownStory::ShownOf(std::size_t model) const {
  if (modelToShown_.empty()) return 0;
  return modelToShown_[std::min(model, modelToShown_.size() - 1)];
}

std::size_t ShownStory::ModelOf(int shown) const {
  if (shownToModel_.empty()) return 0;
  const auto i = static_cast<std::size_t>(std::max(0, shown));
  return shownToModel_[std::min(i, shownToModel_.size() - 1)];
}

Span ShownStory::ModelSpanOf(int shownStart, int shownEnd) const {
  if (shownEnd < shownStart) std::swap(shownStart, shownEnd);
  const std::size_t start = ModelOf(shownStart);
  return {start, std::max(start, ModelOf(shownEnd))};
}

Span ShownStory::ShownSpanOf(Span model) const {
  return {static_cast<std::size_t>(ShownOf(model.start)), static_cast<std::size_t>(ShownOf(model.end))};
}

ShownChar ShownStory::CharAt(int shown) const {
  if (shown < 0 || static_cast<std::size_t>(shown) >= chars_.size()) return {};
  return chars_[static_cast<std::size_t>(shown)];
}

bool SameShownContent(const Story& a, const Story& b) {
  if (a.blocks.size() != b.blocks.size()) return false;
  for (std::size_t i = 0; i < a.blocks.size(); ++i)
    if (!SameBlock(a.blocks[i], b.blocks[i])) return false;
  return true;
}

}  // namespace office::windows::word
