#pragma once
// The content of a Word document: a main story of paragraphs and tables, other stories (headers,
// footers), the title and the bookmarks. A field keeps its code and its shown result apart, so a
// replacement in the result never consumes the code and the next update brings the result back.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace office::word {

// Fields, rows and tables carry ids so that automation objects find them again after edits
// elsewhere (and fail cleanly when they are gone).
using NodeId = std::uint32_t;

// Character formatting set on the text itself, over what its paragraph's style gives.
struct RunFormat {
  bool bold = false;
  bool italic = false;
  int halfPoints = 0;  // the font size as Word stores it; 0 for the style's size
  bool operator==(const RunFormat&) const = default;
};

// A "\f" in a run is a manual page break, one character as Word counts it.
struct Run {
  std::string text;  // UTF-8; "\r" in a cell or field result is a paragraph mark inside it
  RunFormat format{};
  bool operator==(const Run&) const = default;
};

struct Field {
  NodeId id = 0;
  std::string code;
  std::string result;
  RunFormat format{};  // of the shown result
  bool operator==(const Field&) const = default;
};

using Inline = std::variant<Run, Field>;
using Inlines = std::vector<Inline>;

enum class ParagraphStyle { Normal, Heading1, Heading2, Heading3, Title };
enum class Alignment { Left, Center, Right, Justify };

struct ParagraphFormat {
  ParagraphStyle style = ParagraphStyle::Normal;
  Alignment alignment = Alignment::Left;
  int firstLineIndent = 0;  // in twips
  bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
  Inlines items;
  ParagraphFormat format{};
  bool operator==(const Paragraph&) const = default;
};

struct Cell {
  Inlines items;
  bool operator==(const Cell&) const = default;
};

struct Row {
  NodeId id = 0;
  std::vector<Cell> cells;
  bool operator==(const Row&) const = default;
};

struct Table {
  NodeId id = 0;
  std::vector<Row> rows;
  bool borders = true;
  std::vector<int> columnWidths{};  // in twips, one per column; none for columns of equal width
  bool operator==(const Table&) const = default;
};

using Block = std::variant<Paragraph, Table>;

struct Story {
  std::vector<Block> blocks;
  bool operator==(const Story&) const = default;
};

// Positions are character positions in the main story.
struct Span {
  std::size_t start = 0;
  std::size_t end = 0;
  bool collapsed() const { return start == end; }
  bool operator==(const Span&) const = default;
};

struct Bookmark {
  std::string name;
  Span span;
  bool operator==(const Bookmark&) const = default;
};

struct DocumentContent {
  Story main;
  std::map<std::string, Story> otherStories;  // by story name: "primaryHeader", "primaryFooter" ...
  std::string title;
  std::vector<Bookmark> bookmarks;
  bool isTemplate = false;
  NodeId lastId = 0;

  NodeId NewId() { return ++lastId; }
};

}  // namespace office::word
