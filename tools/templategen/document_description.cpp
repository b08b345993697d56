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
    std::size_t at = 0;
    while (at < text.size()) {
      auto open = text.find("{{", at);
      if (open == std::string::npos) {
        items.push_back(TextRun{text.substr(at)});
        break;
      }
      if (open > at) items.push_back(TextRun{text.substr(at, open - at)});
      auto close = text.find("}}", open);
      if (close == std::string::npos) throw std::invalid_argument("unclosed placeholder");
      auto inner = text.substr(open + 2, close - open - 2);
      auto colon = inner.find(':');
      if (colon == std::string::npos) throw std::invalid_argument("placeholder without LIST:CELL");
      items.push_back(PlaceholderField{keyAt(inner.substr(0, colon), ParseAddress(inner.substr(colon + 1))).key});
      at = close + 2;
    }
    return items;
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
        table = nullptr;
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
    } else if (word == "table") {
      doc.main.push_back(Table{rest, {}});
      table = &std::get<Table>(doc.main.back());
    } else {
      doc.main.push_back(Paragraph{text.empty() ? Inlines{} : parseInlines(text)});
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
