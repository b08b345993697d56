#include "tools/templategen/document_file.h"

#include <fstream>
#include <stdexcept>

namespace templategen {
namespace {

// Characters as Word counts positions: one per code point.
std::size_t Chars(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

constexpr const char* kFieldCode = "TITLE ";

// Writes the inlines and adds their length; a field counts its begin, separator and end marks.
nlohmann::json InlinesJson(const Inlines& items, std::size_t& position) {
  nlohmann::json out = nlohmann::json::array();
  for (const auto& item : items) {
    if (const auto* run = std::get_if<TextRun>(&item)) {
      out.push_back({{"text", run->text}});
      if (run->bold) out.back()["bold"] = true;
      position += Chars(run->text);
    } else {
      const auto& field = std::get<PlaceholderField>(item);
      out.push_back({{"code", kFieldCode + field.key}, {"result", field.key}});
      if (field.bold) out.back()["bold"] = true;
      position += 3 + Chars(kFieldCode + field.key) + Chars(field.key);
    }
  }
  return out;
}

nlohmann::json StoryJson(const std::vector<Paragraph>& paragraphs) {
  nlohmann::json out = nlohmann::json::array();
  std::size_t ignored = 0;
  for (const auto& p : paragraphs) out.push_back({{"paragraph", InlinesJson(p.items, ignored)}});
  return out;
}

}  // namespace

nlohmann::json DocumentJson(const Document& document) {
  nlohmann::json main = nlohmann::json::array();
  nlohmann::json bookmarks = nlohmann::json::array();
  std::size_t position = 0;
  for (const auto& block : document.main) {
    if (const auto* p = std::get_if<Paragraph>(&block)) {
      nlohmann::json paragraph = {{"paragraph", InlinesJson(p->items, position)}};
      if (!p->style.empty()) paragraph["style"] = p->style;
      if (!p->align.empty()) paragraph["align"] = p->align;
      if (p->indent != 0) paragraph["indent"] = p->indent;
      main.push_back(std::move(paragraph));
      ++position;  // paragraph mark
      continue;
    }
    const auto& table = std::get<Table>(block);
    std::size_t start = position;
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& row : table.rows) {
      nlohmann::json cells = nlohmann::json::array();
      for (const auto& cell : row) {
        cells.push_back(InlinesJson(cell, position));
        ++position;  // cell mark
      }
      ++position;  // row mark
      rows.push_back(cells);
    }
    main.push_back({{"table", rows}});
    if (!table.widths.empty()) main.back()["widths"] = table.widths;
    if (!table.bookmark.empty()) bookmarks.push_back({{"name", table.bookmark}, {"start", start}, {"end", position}});
  }
  nlohmann::json j = {{"template", document.isTemplate}, {"title", document.title}, {"main", main}};
  nlohmann::json stories = nlohmann::json::object();
  if (!document.header.empty()) stories["primaryHeader"] = StoryJson(document.header);
  if (!document.footer.empty()) stories["primaryFooter"] = StoryJson(document.footer);
  if (!stories.empty()) j["stories"] = stories;
  if (!bookmarks.empty()) j["bookmarks"] = bookmarks;
  return j;
}

void WriteDocumentFile(const Document& document, const std::filesystem::path& file) {
  std::ofstream out(file, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + file.string());
  out << DocumentJson(document).dump(1) << '\n';
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace templategen
