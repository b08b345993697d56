#pragma once
// The in-memory model of a document template (report, contract, help document).
#include <string>
#include <variant>
#include <vector>

namespace templategen {

struct TextRun {
  std::string text;  // "\f" is a page break
  bool bold = false;
};
struct PlaceholderField {
  std::string key;  // the field code is "TITLE " + key; it shows the key until refreshed
  bool bold = false;
};
using Inline = std::variant<TextRun, PlaceholderField>;
using Inlines = std::vector<Inline>;

struct Paragraph {
  Inlines items;
  std::string style = "";  // "" for the body text's, else as the document file names it ("heading1" …)
  std::string align = "";  // "" for left, else "center", "right" or "justify"
  int indent = 0;          // of the first line, in twips
};
struct Table {
  std::string bookmark;  // "" for none
  std::vector<std::vector<Inlines>> rows;
  std::vector<int> widths = {};  // of the columns in twips; none for equal columns
};
using Block = std::variant<Paragraph, Table>;

struct Document {
  std::string fileName;
  bool isTemplate = true;
  std::string title;
  std::vector<Block> main;
  std::vector<Paragraph> header;
  std::vector<Paragraph> footer;
};

}  // namespace templategen
