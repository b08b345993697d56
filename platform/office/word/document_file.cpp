#include "platform/office/word/document_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <nlohmann/json.hpp>

#include "platform/office/file_access.h"
#include "platform/office/word/docx_file.h"
#include "platform/office/word/paragraph_styles.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"
#include "platform/office/zip_package.h"

namespace office::word {
namespace {

using nlohmann::json;

// A structural fault, with where it is in the file.
struct Malformed {
  std::string where, what;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) { throw Malformed{where, what}; }

void OnlyMembers(const json& j, const std::string& where, std::initializer_list<const char*> allowed) {
  if (!j.is_object()) Fail(where, "expected an object");
  for (const auto& member : j.items())
    if (std::none_of(allowed.begin(), allowed.end(), [&](const char* a) { return member.key() == a; }))
      Fail(where, "unknown member \"" + member.key() + "\"");
}

const json& Array(const json& j, const std::string& where) {
  if (!j.is_array()) Fail(where, "expected an array");
  return j;
}

std::string Text(const json& j, const std::string& where) {
  if (!j.is_string()) Fail(where, "expected a text");
  return j.get<std::string>();
}

bool Flag(const json& j, const std::string& where) {
  if (!j.is_boolean()) Fail(where, "expected true or false");
  return j.get<bool>();
}

// Twips of an indent or a column width; a page is less than 32 000 twips across.
int Twips(const json& j, const std::string& where, int least) {
  if (!j.is_number_integer() || j.get<long long>() < least || j.get<long long>() > 31680)
    Fail(where, "expected twips from " + std::to_string(least) + " to 31680");
  return j.get<int>();
}

RunFormat ReadRunFormat(const json& item, const std::string& at) {
  RunFormat format;
  if (item.contains("bold")) format.bold = Flag(item["bold"], at + ".bold");
  if (item.contains("italic")) format.italic = Flag(item["italic"], at + ".italic");
  if (item.contains("size")) {
    const json& size = item["size"];
    // Points, in halves as Word sets them, from 1 to Word's largest, 1638.
    if (!size.is_number() || size.get<double>() < 1 || size.get<double>() > 1638 ||
        size.get<double>() * 2 != static_cast<double>(static_cast<int>(size.get<double>() * 2)))
      Fail(at + ".size", "expected a size in points from 1 to 1638, in halves");
    format.halfPoints = static_cast<int>(size.get<double>() * 2);
  }
  return format;
}

Inlines ReadInlines(const json& j, const std::string& where, DocumentContent& doc) {
  Inlines items;
  for (std::size_t i = 0; i < Array(j, where).size(); ++i) {
    const std::string at = where + "[" + std::to_string(i) + "]";
    const json& item = j[i];
    OnlyMembers(item, at, {"text", "code", "result", "bold", "italic", "size"});
    if (item.contains("text")) {
      if (item.contains("code") || item.contains("result")) Fail(at, "a text run holds no \"code\" or \"result\"");
      items.emplace_back(Run{Text(item["text"], at + ".text"), ReadRunFormat(item, at)});
    } else if (item.contains("code")) {
      items.emplace_back(Field{doc.NewId(), Text(item["code"], at + ".code"),
                               item.contains("result") ? Text(item["result"], at + ".result") : "", ReadRunFormat(item, at)});
    } else {
      Fail(at, "expected \"text\" or \"code\"");
    }
  }
  return items;
}

Story ReadStory(const json& j, const std::string& where, DocumentContent& doc) {
  Story story;
  for (std::size_t b = 0; b < Array(j, where).size(); ++b) {
    const std::string at = where + "[" + std::to_string(b) + "]";
    OnlyMembers(j[b], at, {"paragraph", "style", "align", "indent", "table", "borders", "widths"});
    if (j[b].contains("paragraph") == j[b].contains("table")) Fail(at, "expected one of \"paragraph\" and \"table\"");
    if (j[b].contains("paragraph")) {
      if (j[b].contains("borders") || j[b].contains("widths")) Fail(at, "a paragraph has no \"borders\" or \"widths\"");
      Paragraph para{ReadInlines(j[b]["paragraph"], at + ".paragraph", doc)};
      if (j[b].contains("style")) {
        const StyleLook* look = LookByFileName(Text(j[b]["style"], at + ".style"));
        if (!look) Fail(at + ".style", "expected normal, heading1, heading2, heading3 or title");
        para.format.style = look->style;
      }
      if (j[b].contains("align")) {
        const auto alignment = AlignmentByName(Text(j[b]["align"], at + ".align"));
        if (!alignment) Fail(at + ".align", "expected left, center, right or justify");
        para.format.alignment = *alignment;
      }
      if (j[b].contains("indent")) para.format.firstLineIndent = Twips(j[b]["indent"], at + ".indent", -31680);
      story.blocks.emplace_back(std::move(para));
      continue;
    }
    if (j[b].contains("style") || j[b].contains("align") || j[b].contains("indent"))
      Fail(at, "a table has no \"style\", \"align\" or \"indent\"");
    const json& rows = Array(j[b]["table"], at + ".table");
    if (rows.empty()) Fail(at + ".table", "a table needs a row");
    Table table{doc.NewId(), {}};
    if (j[b].contains("borders")) table.borders = Flag(j[b]["borders"], at + ".borders");
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::string rowAt = at + ".table[" + std::to_string(r) + "]";
      if (Array(rows[r], rowAt).empty()) Fail(rowAt, "a row needs a cell");
      Row row{doc.NewId(), {}};
      for (std::size_t c = 0; c < rows[r].size(); ++c)
        row.cells.push_back(Cell{ReadInlines(rows[r][c], rowAt + "[" + std::to_string(c) + "]", doc)});
      table.rows.push_back(std::move(row));
    }
    if (j[b].contains("widths")) {
      std::size_t columns = 0;
      for (const Row& row : table.rows) columns = std::max(columns, row.cells.size());
      if (Array(j[b]["widths"], at + ".widths").size() != columns) Fail(at + ".widths", "expected one width per column");
      for (std::size_t c = 0; c < columns; ++c)
        table.columnWidths.push_back(Twips(j[b]["widths"][c], at + ".widths[" + std::to_string(c) + "]", 1));
    }
    story.blocks.emplace_back(std::move(table));
  }
  Normalize(story);
  return story;
}

std::size_t Position(const json& j, const std::string& where) {
  if (!j.is_number_unsigned()) Fail(where, "expected a position (0 or more)");
  return j.get<std::size_t>();
}

DocumentContent ReadContent(const json& j) {
  OnlyMembers(j, "the document", {"template", "title", "main", "stories", "bookmarks"});
  DocumentContent doc;
  if (j.contains("template")) doc.isTemplate = Flag(j["template"], "template");
  if (j.contains("title")) doc.title = Text(j["title"], "title");
  if (!j.contains("main")) Fail("the document", "no \"main\" story");
  doc.main = ReadStory(j["main"], "main", doc);
  if (j.contains("stories")) {
    if (!j["stories"].is_object()) Fail("stories", "expected an object");
    for (const auto& [name, blocks] : j["stories"].items())
      doc.otherStories[name] = ReadStory(blocks, "stories." + name, doc);
  }
  if (j.contains("bookmarks")) {
    const std::size_t length = StoryLength(doc.main);
    for (std::size_t i = 0; i < Array(j["bookmarks"], "bookmarks").size(); ++i) {
      const std::string at = "bookmarks[" + std::to_string(i) + "]";
      const json& b = j["bookmarks"][i];
      OnlyMembers(b, at, {"name", "start", "end"});
      if (!b.contains("name") || !b.contains("start") || !b.contains("end")) Fail(at, "needs name, start and end");
      Bookmark mark{Text(b["name"], at + ".name"), {Position(b["start"], at + ".start"), Position(b["end"], at + ".end")}};
      if (mark.span.start > mark.span.end || mark.span.end > length) Fail(at, "outside the main story");
      doc.bookmarks.push_back(std::move(mark));
    }
  }
  return doc;
}

void WriteRunFormat(const RunFormat& format, json& item) {
  if (format.bold) item["bold"] = true;
  if (format.italic) item["italic"] = true;
  if (format.halfPoints % 2 == 0 && format.halfPoints > 0) item["size"] = format.halfPoints / 2;
  else if (format.halfPoints > 0) item["size"] = format.halfPoints / 2.0;
}

json WriteInlines(const Inlines& items) {
  json out = json::array();
  for (const Inline& i : items) {
    json item;
    if (const auto* run = std::get_if<Run>(&i)) {
      item = {{"text", run->text}};
      WriteRunFormat(run->format, item);
    } else {
      const Field& field = std::get<Field>(i);
      item = {{"code", field.code}, {"result", field.result}};
      WriteRunFormat(field.format, item);
    }
    out.push_back(std::move(item));
  }
  return out;
}

json WriteStory(const Story& story) {
  json out = json::array();
  for (const Block& block : story.blocks) {
    if (const auto* para = std::get_if<Paragraph>(&block)) {
      json p = {{"paragraph", WriteInlines(para->items)}};
      if (para->format.style != ParagraphStyle::Normal) p["style"] = LookOf(para->format.style).fileName;
      if (para->format.alignment != Alignment::Left) p["align"] = AlignmentName(para->format.alignment);
      if (para->format.firstLineIndent != 0) p["indent"] = para->format.firstLineIndent;
      out.push_back(std::move(p));
      continue;
    }
    const Table& table = std::get<Table>(block);
    json rows = json::array();
    for (const Row& row : table.rows) {
      json cells = json::array();
      for (const Cell& cell : row.cells) cells.push_back(WriteInlines(cell.items));
      rows.push_back(std::move(cells));
    }
    json t = {{"table", std::move(rows)}};
    if (!table.borders) t["borders"] = false;
    if (!table.columnWidths.empty()) t["widths"] = table.columnWidths;
    out.push_back(std::move(t));
  }
  return out;
}

// Where the first text that is not UTF-8 stands, for the message that refuses the save.
std::optional<std::string> InvalidText(const DocumentContent& document) {
  const auto invalid = [](const Inlines& items) {
    return std::any_of(items.begin(), items.end(), [](const Inline& i) {
      if (const auto* run = std::get_if<Run>(&i)) return !IsValidUtf8(run->text);
      return !IsValidUtf8(std::get<Field>(i).code) || !IsValidUtf8(std::get<Field>(i).result);
    });
  };
  const auto inStory = [&](const Story& story, const std::string& name) -> std::string {
    for (std::size_t b = 0; b < story.blocks.size(); ++b) {
      const std::string at = name + ", block " + std::to_string(b + 1);
      if (const auto* para = std::get_if<Paragraph>(&story.blocks[b])) {
        if (invalid(para->items)) return "a text in " + at;
        continue;
      }
      for (const Row& row : std::get<Table>(story.blocks[b]).rows)
        for (const Cell& cell : row.cells)
          if (invalid(cell.items)) return "a text of the table in " + at;
    }
    return {};
  };
  if (std::string at = inStory(document.main, "the main text"); !at.empty()) return at;
  for (const auto& [name, story] : document.otherStories)
    if (std::string at = inStory(story, "the story " + name); !at.empty()) return at;
  if (!IsValidUtf8(document.title)) return "the title";
  for (const Bookmark& b : document.bookmarks)
    if (!IsValidUtf8(b.name)) return "a bookmark name";
  return std::nullopt;
}

}  // namespace

DocumentContent ParseDocumentJson(std::string_view text, const std::string& fileName) {
  try {
    return ReadContent(json::parse(text));
  } catch (const json::exception& e) {
    errors::Raise(errors::kFileCorrupt, "The file " + fileName + " is not a valid document file: " + e.what());
  } catch (const Malformed& m) {
    errors::Raise(errors::kFileCorrupt, "The file " + fileName + " is not a valid document file: " + m.where + ": " + m.what);
  }
}

DocumentContent ReadDocumentFile(const std::string& path, DocumentFormat* format) {
  std::string text;
  try {
    text = ReadWholeFile(path);
  } catch (const FileAccessError& e) {
    if (e.kind() == FileAccessError::Kind::NotFound) errors::Raise(errors::kFileNotFound, "This file could not be found: " + path);
    errors::Raise(errors::kFileNotFound, std::string("This file could not be read: ") + e.what());
  }
  const bool zip = LooksLikeZip(text);
  if (format) *format = zip ? DocumentFormat::OfficeOpenXml : DocumentFormat::Own;
  if (!zip) return ParseDocumentJson(text, path);
  try {
    return ReadDocx(text);
  } catch (const PackageError& e) {
    errors::Raise(errors::kFileCorrupt, "The file " + path + " is not a valid document file: " + e.what());
  }
}

namespace {

std::string Extension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

}  // namespace

DocumentFormat FormatOfName(const std::string& path) {
  const std::string extension = Extension(path);
  if (extension == ".pdf") return DocumentFormat::Pdf;
  return extension == ".docx" || extension == ".dotx" ? DocumentFormat::OfficeOpenXml : DocumentFormat::Own;
}

namespace {

std::string OwnFormat(const DocumentContent& document) {
  json j = {{"template", document.isTemplate}, {"title", document.title}, {"main", WriteStory(document.main)}};
  if (!document.otherStories.empty()) {
    json stories = json::object();
    for (const auto& [name, story] : document.otherStories) stories[name] = WriteStory(story);
    j["stories"] = std::move(stories);
  }
  if (!document.bookmarks.empty()) {
    // Edits do not move bookmarks; kept within the story, the file always reads back.
    const std::size_t length = StoryLength(document.main);
    json marks = json::array();
    for (const Bookmark& b : document.bookmarks)
      marks.push_back({{"name", b.name}, {"start", std::min(b.span.start, length)}, {"end", std::min(b.span.end, length)}});
    j["bookmarks"] = std::move(marks);
  }
  return j.dump(1) + '\n';
}

}  // namespace

void WriteDocumentFile(const DocumentContent& document, const std::string& path, DocumentFormat format, const PdfRenderer& pdf) {
  if (const auto at = InvalidText(document))
    errors::Raise(errors::kCommandFailed, "The document could not be saved as " + path + ": " + *at + " is not valid UTF-8.");
  if (format == DocumentFormat::Pdf && !pdf)
    errors::Raise(errors::kCommandFailed, "The document could not be saved as " + path + ": PDF is made by Word's windows, and Word runs without a display.");
  std::string content;
  try {
    switch (format) {
      case DocumentFormat::Own: content = OwnFormat(document); break;
      case DocumentFormat::OfficeOpenXml: content = WriteDocx(document, Extension(path) == ".dotx"); break;
      case DocumentFormat::Pdf: content = pdf(document); break;
    }
  } catch (const PackageError& e) {
    errors::Raise(errors::kCommandFailed, "The document could not be saved as " + path + ": " + e.what() + ".");
  }
  try {
    ReplaceFile(path, content);
  } catch (const FileAccessError& e) {
    errors::Raise(errors::kCommandFailed, "The document could not be saved as " + path + ": " + e.what() + ".");
  }
}

}  // namespace office::word
