#pragma once
// The in-memory model of a document template (report, contract, help document).
#include <string>
#include <variant>
#include <vector>

namespace templategen {

struct TextRun {
  std::string text;
};
struct PlaceholderField {
  std::string key;  // the field code is "TITLE " + key; it shows the key until refreshed
};
using Inline = std::variant<TextRun, PlaceholderField>;
using Inlines = std::vector<Inline>;

struct Paragraph {
  Inlines items;
};
struct Table {
  std::string bookmark;  // "" for none
  std::vector<std::vector<Inlines>> rows;
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
