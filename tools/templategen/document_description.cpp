#include "tools/templategen/document_description.h"

#include <fstream>
#include <map>
#include <stdexcept>

#include "tools/templategen/cell_address.h"

namespace templategen {
namespace {

std::string Trim(const std::string& s) {
  auto b = s.find_first_not_of(' ');
  auto e = s.find_last_not_of(' ');
  return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

struct Reader {
  const std::vector<KeyRow>& keys;
  Document doc;
  std::vector<std::pair<std::string, CellRange>> reads;
  Table* table = nullptr;
  int indent = 0;

  const KeyRow& keyAt(const std::string& list, CellAddress cell) const {
    bool readable = false;
    for (const auto& [l, range] : reads) readable = readable || (l == list && range.contains(cell));
    if (!readable) throw std::invalid_argument("the refresher of this document does not read " + list + ":" + AddressText(cell));
    for (const auto& k : keys)
      if (k.list == list && k.cell == cell) return k;
    throw std::invalid_argument("no key at " + list + ":" + AddressText(cell));
  }

  Inlines parseInlines(const std::string& text) const {
    Inlines items;
    bool bold = false;
    std::size_t at = 0;
    const auto plain = [&](std::size_t to) {
      if (to > at) items.push_back(TextRun{text.substr(at, to - at), bold});
    };
    while (at < text.size()) {
      const auto open = text.find("{{", at), star = text.find("**", at);
      if (star < open) {
        plain(star);
        bold = !bold;
        at = star + 2;
        continue;
      }
      if (open == std::string::npos) {
        plain(text.size());
        break;
      }
      plain(open);
      auto close = text.find("}}", open);
      if (close == std::string::npos) throw std::invalid_argument("unclosed placeholder");
      auto inner = text.substr(open + 2, close - open - 2);
      auto colon = inner.find(':');
      if (colon == std::string::npos) throw std::invalid_argument("placeholder without LIST:CELL");
      items.push_back(PlaceholderField{keyAt(inner.substr(0, colon), ParseAddress(inner.substr(colon + 1))).key, bold});
      at = close + 2;
    }
    if (bold) throw std::invalid_argument("bold text without its closing **");
    return items;
  }

  // A width per column in twips, on a line "widths W …" before the table's rows.
  void tableWidths(const std::string& list) {
    if (!table->rows.empty() || !table->widths.empty()) throw std::invalid_argument("widths come once, before the rows");
    std::size_t at = 0;
    while (at < list.size()) {
      std::size_t used = 0;
      const int width = std::stoi(list.substr(at), &used);
      if (width <= 0) throw std::invalid_argument("a column width is more than 0 twips");
      table->widths.push_back(width);
      at = list.find_first_not_of(' ', at + used);
    }
  }

  void tableRow(const std::string& text) {
    std::vector<Inlines> row;
    std::size_t at = 1;
    for (;;) {
      auto bar = text.find('|', at);
      if (bar == std::string::npos) break;
      row.push_back(parseInlines(Trim(text.substr(at, bar - at))));
      at = bar + 1;
    }
    if (row.empty()) throw std::invalid_argument("a table row needs cells");
    if (!table->rows.empty() && table->rows.front().size() != row.size())
      throw std::invalid_argument("rows of one table need the same number of cells");
    table->rows.push_back(std::move(row));
  }

  void line(const std::string& text) {
    if (table) {
      if (text == "end") {
        if (table->rows.empty()) throw std::invalid_argument("empty table");
        if (!table->widths.empty() && table->widths.size() != table->rows.front().size())
          throw std::invalid_argument("a width for each column");
        table = nullptr;
      } else if (text.starts_with("widths ")) {
        tableWidths(text.substr(7));
      } else if (!text.empty() && text[0] == '|') {
        tableRow(text);
      } else {
        throw std::invalid_argument("inside a table: expected a row or end");
      }
      return;
    }
    auto space = text.find(' ');
    auto word = text.substr(0, space);
    auto rest = space == std::string::npos ? "" : text.substr(space + 1);
    if (word == "template") {
      doc.fileName = rest;
    } else if (word == "title") {
      doc.title = rest;
    } else if (word == "reads") {
      auto s = rest.find(' ');
      if (s == std::string::npos) throw std::invalid_argument("reads LIST RANGE");
      reads.push_back({rest.substr(0, s), ParseRange(rest.substr(s + 1))});
    } else if (word == "header" || word == "footer") {
      (word == "header" ? doc.header : doc.footer).push_back(Paragraph{{TextRun{rest}}});
    } else if (word == "indent") {
      indent = std::stoi(rest);
    } else if (word == "table") {
      if (!doc.main.empty() && std::holds_alternative<Table>(doc.main.back()))
        throw std::invalid_argument("a table right after a table: put a paragraph between them");
      doc.main.push_back(Table{rest, {}});
      table = &std::get<Table>(doc.main.back());
    } else if (word == "@pagebreak") {
      doc.main.push_back(Paragraph{{TextRun{"\f"}}});
    } else if (word == "@title" || word == "@h1" || word == "@h2" || word == "@h3") {
      doc.main.push_back(Paragraph{parseInlines(rest), word == "@title" ? "title" : "heading" + word.substr(2), word == "@title" ? "center" : ""});
    } else if (word == "@center" || word == "@right") {
      doc.main.push_back(Paragraph{parseInlines(rest), "", word.substr(1)});
    } else {
      doc.main.push_back(Paragraph{text.empty() ? Inlines{} : parseInlines(text), "", "", text.empty() ? 0 : indent});
    }
  }
};

}  // namespace

Document ReadDocumentDescription(const std::filesystem::path& file, const std::vector<KeyRow>& keys) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  Reader reader{keys, {}, {}, nullptr};
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text[0] == '#') continue;
    try {
      reader.line(text);
    } catch (const std::invalid_argument& e) {
      throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " + e.what());
    }
  }
  if (reader.table) throw std::runtime_error(file.string() + ": table without end");
  if (reader.doc.fileName.empty()) throw std::runtime_error(file.string() + ": no template name");
  reader.doc.isTemplate = reader.doc.fileName.ends_with(".dot");
  return std::move(reader.doc);
}

}  // namespace templategen
