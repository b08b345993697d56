#include "platform/office/word/docx_file.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "platform/automation/member_table.h"
#include "platform/office/file_access.h"
#include "platform/office/word/paragraph_styles.h"
#include "platform/office/word/story.h"
#include "platform/office/zip_package.h"

namespace office::word {
namespace {

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kRelationships = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString kOfficeDocument = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument");
const QString kCoreProperties =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties");
const QString kR = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kDublinCore = QStringLiteral("http://purl.org/dc/elements/1.1/");
const QString kDocumentType = QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
const QString kTemplateType = QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml");

// The header and footer stories Word keeps in parts of their own.
struct StoryPart {
  const char* story;  // the model's name
  const char* reference;
  const char* root;
  const char* part;
  const char* id;
};
constexpr StoryPart kStoryParts[] = {{"primaryHeader", "headerReference", "hdr", "header1.xml", "rIdHeader1"},
                                     {"primaryFooter", "footerReference", "ftr", "footer1.xml", "rIdFooter1"}};

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const QString kStylesType = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles");

// The alignments as w:jc names them.
constexpr const char* kJustification[] = {"left", "center", "right", "both"};

// LibreOffice turns a TITLE field that sets the title into plain text on its way through, but
// keeps one whose keyword a tab ends as it is, and a tab is white space between a field's keyword
// and its argument as a blank is. So the blank after the keyword is written as a tab and read back
// as the blank.
std::string SwapTitleBlank(std::string code, char from, char to) {
  const std::size_t start = code.find_first_not_of(' ');
  if (start == std::string::npos || code.size() - start < 6) return code;
  if (automation::FoldCase(std::string_view(code).substr(start, 5)) == "title" && code[start + 5] == from) code[start + 5] = to;
  return code;
}

// ---- writing ----

std::size_t FieldLength(const Field& field) { return 3 + CharCount(field.code) + CharCount(field.result); }

std::size_t InlinesLength(const Inlines& items) {
  std::size_t length = 0;
  for (const Inline& item : items)
    length += std::holds_alternative<Run>(item) ? CharCount(std::get<Run>(item).text) : FieldLength(std::get<Field>(item));
  return length;
}

// The main story with its bookmarks. A bookmark is put where its position falls between the
// blocks or between the characters of a paragraph's text; one inside a table or a field is put
// at the next such place.
class BodyWriter {
 public:
  BodyWriter(QXmlStreamWriter& x, const std::vector<Bookmark>& marks) : x_(x), marks_(marks), state_(marks.size()) {}

  void WriteStory(const Story& story) {
    for (const Block& block : story.blocks) {
      Marks();
      if (const auto* para = std::get_if<Paragraph>(&block)) {
        WriteParagraph(para->items, true, &para->format);
        continue;
      }
      WriteTable(std::get<Table>(block));
    }
    position_ = static_cast<std::size_t>(-1);
    Marks();
  }

 private:
  // A "\r" inside the inlines (in a cell, or in a field's result) ends a paragraph there: Word
  // lets a field's result run over paragraphs, and reading joins them again.
  void WriteParagraph(const Inlines& items, bool marked, const ParagraphFormat* format = nullptr) {
    x_.writeStartElement(kW, QStringLiteral("p"));
    if (format) WriteParagraphProperties(*format);
    for (const Inline& item : items) {
      if (const auto* run = std::get_if<Run>(&item)) {
        if (!marked) {
          WriteText(run->text, run->format);
          continue;
        }
        // Split where bookmarks begin or end inside the run.
        std::string_view text = run->text;
        while (!text.empty()) {
          Marks();
          std::size_t chars = CharCount(text);
          for (const Bookmark& b : marks_)
            for (const std::size_t at : {b.span.start, b.span.end})
              if (at > position_ && at < position_ + chars) chars = at - position_;
          const std::size_t bytes = ByteOffset(text, chars);
          WriteText(text.substr(0, bytes), run->format);
          text.remove_prefix(bytes);
          position_ += chars;
        }
        continue;
      }
      if (marked) Marks();
      const Field& field = std::get<Field>(item);
      position_ += marked ? FieldLength(field) : 0;
      FieldChar(QStringLiteral("begin"));
      x_.writeStartElement(kW, QStringLiteral("r"));
      x_.writeStartElement(kW, QStringLiteral("instrText"));
      x_.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
      x_.writeCharacters(Q(Printable(SwapTitleBlank(field.code, ' ', '\t'))));
      x_.writeEndElement();
      x_.writeEndElement();
      FieldChar(QStringLiteral("separate"));
      WriteText(field.result, field.format);
      FieldChar(QStringLiteral("end"));
    }
    if (marked) {
      Marks();
      ++position_;  // the paragraph mark
    }
    x_.writeEndElement();
  }

  // Bookmark ends, then starts, that stand at or before the position and are not yet written.
  void Marks() {
    for (std::size_t i = 0; i < marks_.size(); ++i)
      if (state_[i] == 1 && marks_[i].span.end <= position_ && marks_[i].span.start < position_) End(i);
    for (std::size_t i = 0; i < marks_.size(); ++i) {
      if (state_[i] != 0 || marks_[i].span.start > position_) continue;
      x_.writeEmptyElement(kW, QStringLiteral("bookmarkStart"));
      x_.writeAttribute(kW, QStringLiteral("id"), QString::number(i));
      x_.writeAttribute(kW, QStringLiteral("name"), Q(marks_[i].name));
      state_[i] = 1;
      if (marks_[i].span.end <= position_) End(i);
    }
  }

  void End(std::size_t i) {
    x_.writeEmptyElement(kW, QStringLiteral("bookmarkEnd"));
    x_.writeAttribute(kW, QStringLiteral("id"), QString::number(i));
    state_[i] = 2;
  }

  void FieldChar(const QString& type) {
    x_.writeStartElement(kW, QStringLiteral("r"));
    x_.writeEmptyElement(kW, QStringLiteral("fldChar"));
    x_.writeAttribute(kW, QStringLiteral("fldCharType"), type);
    x_.writeEndElement();
  }

  void WriteParagraphProperties(const ParagraphFormat& format) {
    if (format == ParagraphFormat{}) return;
    x_.writeStartElement(kW, QStringLiteral("pPr"));
    if (format.style != ParagraphStyle::Normal) {
      x_.writeEmptyElement(kW, QStringLiteral("pStyle"));
      x_.writeAttribute(kW, QStringLiteral("val"), Q(LookOf(format.style).styleId));
    }
    if (format.firstLineIndent != 0) {
      x_.writeEmptyElement(kW, QStringLiteral("ind"));
      x_.writeAttribute(kW, format.firstLineIndent > 0 ? QStringLiteral("firstLine") : QStringLiteral("hanging"),
                        QString::number(std::abs(format.firstLineIndent)));
    }
    if (format.alignment != Alignment::Left) {
      x_.writeEmptyElement(kW, QStringLiteral("jc"));
      x_.writeAttribute(kW, QStringLiteral("val"), QString::fromLatin1(kJustification[static_cast<int>(format.alignment)]));
    }
    x_.writeEndElement();
  }

  void WriteRunProperties(const RunFormat& format) {
    if (format == RunFormat{}) return;
    x_.writeStartElement(kW, QStringLiteral("rPr"));
    if (format.bold) x_.writeEmptyElement(kW, QStringLiteral("b"));
    if (format.italic) x_.writeEmptyElement(kW, QStringLiteral("i"));
    if (format.halfPoints > 0)
      for (const char* size : {"sz", "szCs"}) {
        x_.writeEmptyElement(kW, QString::fromLatin1(size));
        x_.writeAttribute(kW, QStringLiteral("val"), QString::number(format.halfPoints));
      }
    x_.writeEndElement();
  }

  void WriteText(std::string_view text, const RunFormat& format) {
    std::size_t from = 0;
    while (from < text.size()) {
      const std::size_t mark = std::min(text.find_first_of("\r\t\v\f", from), text.size());
      if (mark > from) {
        x_.writeStartElement(kW, QStringLiteral("r"));
        WriteRunProperties(format);
        x_.writeStartElement(kW, QStringLiteral("t"));
        x_.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        x_.writeCharacters(Q(Printable(text.substr(from, mark - from))));
        x_.writeEndElement();
        x_.writeEndElement();
      }
      if (mark == text.size()) break;
      if (text[mark] == '\r') {
        x_.writeEndElement();
        x_.writeStartElement(kW, QStringLiteral("p"));
      } else {
        x_.writeStartElement(kW, QStringLiteral("r"));
        WriteRunProperties(format);
        if (text[mark] == '\t') x_.writeEmptyElement(kW, QStringLiteral("tab"));
        else x_.writeEmptyElement(kW, QStringLiteral("br"));
        if (text[mark] == '\f') x_.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("page"));
        x_.writeEndElement();
      }
      from = mark + 1;
    }
  }

  // XML cannot hold the other control characters; Word drops them too.
  static std::string Printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
      if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
    return out;
  }

  void WriteTable(const Table& table) {
    std::size_t columns = 0;
    for (const Row& row : table.rows) columns = std::max(columns, row.cells.size());
    // Columns of equal width fill the text width of an A4 page.
    std::vector<int> widths = table.columnWidths;
    if (widths.size() != columns) widths.assign(columns, static_cast<int>(8306 / std::max<std::size_t>(columns, 1)));
    int total = 0;
    for (const int w : widths) total += w;
    x_.writeStartElement(kW, QStringLiteral("tbl"));
    x_.writeStartElement(kW, QStringLiteral("tblPr"));
    x_.writeEmptyElement(kW, QStringLiteral("tblW"));
    x_.writeAttribute(kW, QStringLiteral("w"), QString::number(total));
    x_.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
    x_.writeStartElement(kW, QStringLiteral("tblBorders"));
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
      x_.writeEmptyElement(kW, QString::fromLatin1(side));
      x_.writeAttribute(kW, QStringLiteral("val"), table.borders ? QStringLiteral("single") : QStringLiteral("nil"));
      if (!table.borders) continue;
      x_.writeAttribute(kW, QStringLiteral("sz"), QStringLiteral("4"));
      x_.writeAttribute(kW, QStringLiteral("space"), QStringLiteral("0"));
      x_.writeAttribute(kW, QStringLiteral("color"), QStringLiteral("auto"));
    }
    x_.writeEndElement();
    x_.writeEmptyElement(kW, QStringLiteral("tblLayout"));
    x_.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("fixed"));
    x_.writeEndElement();
    x_.writeStartElement(kW, QStringLiteral("tblGrid"));
    for (const int w : widths) {
      x_.writeEmptyElement(kW, QStringLiteral("gridCol"));
      x_.writeAttribute(kW, QStringLiteral("w"), QString::number(w));
    }
    x_.writeEndElement();
    for (const Row& row : table.rows) {
      x_.writeStartElement(kW, QStringLiteral("tr"));
      for (std::size_t c = 0; c < row.cells.size(); ++c) {
        const Cell& cell = row.cells[c];
        // A row of fewer cells has its last cell across the rest of the grid, as the window shows it.
        const bool last = c + 1 == row.cells.size();
        int width = widths[c];
        for (std::size_t more = c + 1; last && more < columns; ++more) width += widths[more];
        x_.writeStartElement(kW, QStringLiteral("tc"));
        x_.writeStartElement(kW, QStringLiteral("tcPr"));
        x_.writeEmptyElement(kW, QStringLiteral("tcW"));
        x_.writeAttribute(kW, QStringLiteral("w"), QString::number(width));
        x_.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("dxa"));
        if (last && columns > row.cells.size()) {
          x_.writeEmptyElement(kW, QStringLiteral("gridSpan"));
          x_.writeAttribute(kW, QStringLiteral("val"), QString::number(columns - c));
        }
        x_.writeEndElement();
        WriteParagraph(cell.items, false);
        x_.writeEndElement();
        position_ += InlinesLength(cell.items) + 1;  // and the cell's mark
      }
      x_.writeEndElement();
      ++position_;  // the row's mark
    }
    x_.writeEndElement();
  }

  QXmlStreamWriter& x_;
  const std::vector<Bookmark>& marks_;
  std::vector<int> state_;  // of each bookmark: 0 not written, 1 started, 2 ended
  std::size_t position_ = 0;
};

std::string Xml(const std::function<void(QXmlStreamWriter&)>& write) {
  QByteArray bytes;
  QXmlStreamWriter x(&bytes);
  x.writeStartDocument(QStringLiteral("1.0"), true);
  write(x);
  x.writeEndDocument();
  return bytes.toStdString();
}

std::string DocumentPart(const DocumentContent& document) {
  return Xml([&](QXmlStreamWriter& x) {
    x.writeNamespace(kW, QStringLiteral("w"));
    x.writeNamespace(kR, QStringLiteral("r"));
    x.writeStartElement(kW, QStringLiteral("document"));
    x.writeStartElement(kW, QStringLiteral("body"));
    BodyWriter(x, document.bookmarks).WriteStory(document.main);
    x.writeStartElement(kW, QStringLiteral("sectPr"));
    for (const StoryPart& p : kStoryParts) {
      if (!document.otherStories.contains(p.story)) continue;
      x.writeEmptyElement(kW, QString::fromLatin1(p.reference));
      x.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("default"));
      x.writeAttribute(kR, QStringLiteral("id"), QString::fromLatin1(p.id));
    }
    x.writeEmptyElement(kW, QStringLiteral("pgSz"));  // A4
    x.writeAttribute(kW, QStringLiteral("w"), QStringLiteral("11906"));
    x.writeAttribute(kW, QStringLiteral("h"), QStringLiteral("16838"));
    x.writeEmptyElement(kW, QStringLiteral("pgMar"));
    for (const auto& [side, twips] : {std::pair{"top", "1440"}, {"right", "1800"}, {"bottom", "1440"}, {"left", "1800"},
                                      {"header", "851"}, {"footer", "992"}, {"gutter", "0"}})
      x.writeAttribute(kW, QString::fromLatin1(side), QString::fromLatin1(twips));
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();
  });
}

std::string StoryPartXml(const StoryPart& p, const Story& story) {
  return Xml([&](QXmlStreamWriter& x) {
    x.writeNamespace(kW, QStringLiteral("w"));
    x.writeStartElement(kW, QString::fromLatin1(p.root));
    const std::vector<Bookmark> none;
    BodyWriter(x, none).WriteStory(story);
    x.writeEndElement();
  });
}

// The paragraph styles, each with its look, and the body text's size as the default.
std::string StylesPart() {
  return Xml([&](QXmlStreamWriter& x) {
    x.writeNamespace(kW, QStringLiteral("w"));
    x.writeStartElement(kW, QStringLiteral("styles"));
    const auto value = [&](const char* name, const QString& v) {
      x.writeEmptyElement(kW, QString::fromLatin1(name));
      x.writeAttribute(kW, QStringLiteral("val"), v);
    };
    const auto sizes = [&](int halfPoints) {
      for (const char* size : {"sz", "szCs"}) value(size, QString::number(halfPoints));
    };
    x.writeStartElement(kW, QStringLiteral("docDefaults"));
    x.writeStartElement(kW, QStringLiteral("rPrDefault"));
    x.writeStartElement(kW, QStringLiteral("rPr"));
    x.writeEmptyElement(kW, QStringLiteral("rFonts"));
    x.writeAttribute(kW, QStringLiteral("eastAsia"), QStringLiteral("宋体"));
    sizes(kNormalHalfPoints);
    x.writeEndElement();
    x.writeEndElement();
    x.writeEndElement();
    for (const ParagraphStyle style : {ParagraphStyle::Normal, ParagraphStyle::Heading1, ParagraphStyle::Heading2,
                                       ParagraphStyle::Heading3, ParagraphStyle::Title}) {
      const StyleLook& look = LookOf(style);
      x.writeStartElement(kW, QStringLiteral("style"));
      x.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("paragraph"));
      x.writeAttribute(kW, QStringLiteral("styleId"), Q(look.styleId));
      if (style == ParagraphStyle::Normal) x.writeAttribute(kW, QStringLiteral("default"), QStringLiteral("1"));
      value("name", Q(look.wordName));
      if (style != ParagraphStyle::Normal) {
        value("basedOn", QStringLiteral("Normal"));
        value("next", QStringLiteral("Normal"));
        value("qFormat", QStringLiteral("1"));
        x.writeStartElement(kW, QStringLiteral("pPr"));
        x.writeEmptyElement(kW, QStringLiteral("keepNext"));
        x.writeEmptyElement(kW, QStringLiteral("spacing"));
        x.writeAttribute(kW, QStringLiteral("before"), QString::number(look.spaceBefore));
        x.writeAttribute(kW, QStringLiteral("after"), QString::number(look.spaceAfter));
        if (style != ParagraphStyle::Title)
          value("outlineLvl", QString::number(static_cast<int>(style) - static_cast<int>(ParagraphStyle::Heading1)));
        x.writeEndElement();
      }
      x.writeStartElement(kW, QStringLiteral("rPr"));
      if (look.bold) x.writeEmptyElement(kW, QStringLiteral("b"));
      sizes(look.halfPoints);
      x.writeEndElement();
      x.writeEndElement();
    }
    x.writeEndElement();
  });
}

std::string DocumentRelationships(const DocumentContent& document) {
  return Xml([&](QXmlStreamWriter& x) {
    x.writeDefaultNamespace(kRelationships);
    x.writeStartElement(kRelationships, QStringLiteral("Relationships"));
    x.writeEmptyElement(kRelationships, QStringLiteral("Relationship"));
    x.writeAttribute(QStringLiteral("Id"), QStringLiteral("rIdStyles"));
    x.writeAttribute(QStringLiteral("Type"), kStylesType);
    x.writeAttribute(QStringLiteral("Target"), QStringLiteral("styles.xml"));
    for (const StoryPart& p : kStoryParts) {
      if (!document.otherStories.contains(p.story)) continue;
      x.writeEmptyElement(kRelationships, QStringLiteral("Relationship"));
      x.writeAttribute(QStringLiteral("Id"), QString::fromLatin1(p.id));
      x.writeAttribute(QStringLiteral("Type"), kR + QLatin1Char('/') + QString::fromLatin1(p.reference).chopped(9));
      x.writeAttribute(QStringLiteral("Target"), QString::fromLatin1(p.part));
    }
    x.writeEndElement();
  });
}

std::string CorePart(const DocumentContent& document) {
  return Xml([&](QXmlStreamWriter& x) {
    const QString cp = QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    x.writeNamespace(cp, QStringLiteral("cp"));
    x.writeNamespace(kDublinCore, QStringLiteral("dc"));
    x.writeStartElement(cp, QStringLiteral("coreProperties"));
    x.writeTextElement(kDublinCore, QStringLiteral("title"), Q(document.title));
    x.writeEndElement();
  });
}

std::string ContentTypesPart(const DocumentContent& document, bool asTemplate) {
  return Xml([&](QXmlStreamWriter& x) {
    const QString types = QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
    x.writeDefaultNamespace(types);
    x.writeStartElement(types, QStringLiteral("Types"));
    const auto add = [&](const QString& kind, const QString& keyName, const QString& key, const QString& type) {
      x.writeEmptyElement(types, kind);
      x.writeAttribute(keyName, key);
      x.writeAttribute(QStringLiteral("ContentType"), type);
    };
    add(QStringLiteral("Default"), QStringLiteral("Extension"), QStringLiteral("rels"),
        QStringLiteral("application/vnd.openxmlformats-package.relationships+xml"));
    add(QStringLiteral("Default"), QStringLiteral("Extension"), QStringLiteral("xml"), QStringLiteral("application/xml"));
    add(QStringLiteral("Override"), QStringLiteral("PartName"), QStringLiteral("/word/document.xml"),
        asTemplate ? kTemplateType : kDocumentType);
    add(QStringLiteral("Override"), QStringLiteral("PartName"), QStringLiteral("/word/styles.xml"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"));
    for (const StoryPart& p : kStoryParts)
      if (document.otherStories.contains(p.story))
        add(QStringLiteral("Override"), QStringLiteral("PartName"), QStringLiteral("/word/") + QString::fromLatin1(p.part),
            QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.") +
                QString::fromLatin1(p.reference).chopped(9) + QStringLiteral("+xml"));
    add(QStringLiteral("Override"), QStringLiteral("PartName"), QStringLiteral("/docProps/core.xml"),
        QStringLiteral("application/vnd.openxmlformats-package.core-properties+xml"));
    x.writeEndElement();
  });
}

std::string PackageRelationships() {
  return Xml([](QXmlStreamWriter& x) {
    x.writeDefaultNamespace(kRelationships);
    x.writeStartElement(kRelationships, QStringLiteral("Relationships"));
    const auto add = [&](const char* id, const QString& type, const char* target) {
      x.writeEmptyElement(kRelationships, QStringLiteral("Relationship"));
      x.writeAttribute(QStringLiteral("Id"), QString::fromLatin1(id));
      x.writeAttribute(QStringLiteral("Type"), type);
      x.writeAttribute(QStringLiteral("Target"), QString::fromLatin1(target));
    };
    add("rId1", kOfficeDocument, "word/document.xml");
    add("rId2", kCoreProperties, "docProps/core.xml");
    x.writeEndElement();
  });
}

// ---- reading ----

[[noreturn]] void XmlFault(const QXmlStreamReader& x, const std::string& part) {
  throw PackageError(part + " is not well-formed XML: " + x.errorString().toStdString() + " (line " +
                     std::to_string(x.lineNumber()) + ")");
}

// The paragraph styles of a styles part by their ids, known by Word's built-in names, which stay
// the same whatever the ids (Word in Chinese gives "heading 1" the id "1").
using StyleIds = std::map<QString, ParagraphStyle>;

StyleIds ReadStyleIds(const std::string& styles, const std::string& part) {
  StyleIds ids;
  QXmlStreamReader x(QByteArray::fromStdString(styles));
  QString id;
  while (!x.atEnd()) {
    if (x.readNext() != QXmlStreamReader::StartElement || x.namespaceUri() != kW) continue;
    if (x.name() == QStringLiteral("style")) {
      id = x.attributes().value(kW, QStringLiteral("styleId")).toString();
    } else if (x.name() == QStringLiteral("name") && !id.isEmpty()) {
      const auto name = x.attributes().value(kW, QStringLiteral("val"));
      for (const ParagraphStyle style : {ParagraphStyle::Normal, ParagraphStyle::Heading1, ParagraphStyle::Heading2,
                                         ParagraphStyle::Heading3, ParagraphStyle::Title})
        if (name.compare(Q(LookOf(style).wordName), Qt::CaseInsensitive) == 0) ids[id] = style;
      id.clear();
    }
  }
  if (x.hasError()) XmlFault(x, part);
  return ids;
}

// The body's paragraphs and tables as the model holds them. Structure the model lacks is read
// through: a nested table's paragraphs join its cell, and drawings and text boxes are left out.
class BodyReader {
 public:
  BodyReader(DocumentContent& doc, const StyleIds& styles) : doc_(doc), styles_(styles) {}

  // The story under the root element (body, hdr or ftr).
  void Read(QXmlStreamReader& x, const std::string& part, const QString& root) {
    bool sawBody = false;
    while (!x.atEnd()) {
      const auto token = x.readNext();
      if (token == QXmlStreamReader::StartElement) {
        if (x.namespaceUri() != kW) {
          if (x.name() == QStringLiteral("Fallback")) x.skipCurrentElement();
          continue;
        }
        if (x.name() == root) sawBody = true;
        Start(x);
      } else if (token == QXmlStreamReader::EndElement && x.namespaceUri() == kW) {
        End(x.name());
      }
    }
    if (x.hasError()) XmlFault(x, part);
    if (!sawBody) throw PackageError(part + " has no " + (root == QStringLiteral("body") ? std::string("document body") : root.toStdString()));
    while (!fields_.empty()) EndField();
  }

  Story Take() {
    Normalize(story_);
    return std::move(story_);
  }
  // The relationship ids of the header and footer parts, by the model's story name.
  const std::map<std::string, QString>& references() const { return references_; }
  // Those that lie in the story as read.
  std::vector<Bookmark> TakeBookmarks(std::size_t storyLength) {
    std::erase_if(bookmarks_, [&](const Bookmark& b) { return b.span.start > b.span.end || b.span.end > storyLength; });
    return std::move(bookmarks_);
  }

 private:
  struct OpenField {
    Field field;
    bool inResult = false;
  };

  // An element's w:val as Word's on and off values read.
  static bool On(const QXmlStreamReader& x) {
    const auto v = x.attributes().value(kW, QStringLiteral("val"));
    return v.isEmpty() || !(v == QStringLiteral("0") || v == QStringLiteral("false") || v == QStringLiteral("off"));
  }
  static int Number(const QXmlStreamReader& x, const QString& attribute) {
    return x.attributes().value(kW, attribute).toInt();
  }

  // Paragraph, run and table properties, as far as the model holds them.
  bool Properties(QXmlStreamReader& x) {
    const auto name = x.name();
    const auto val = x.attributes().value(kW, QStringLiteral("val"));
    if (name == QStringLiteral("pPr")) return paragraphProperties_ = true;
    if (name == QStringLiteral("rPr")) return runProperties_ = !paragraphProperties_;
    if (paragraphProperties_ && !runProperties_) {
      if (name == QStringLiteral("pStyle")) {
        const auto known = styles_.find(val.toString());
        const StyleLook* look = LookByStyleId(val.toString().toStdString());
        paragraphFormat_.style = known != styles_.end() ? known->second : look ? look->style : ParagraphStyle::Normal;
      } else if (name == QStringLiteral("jc")) {
        paragraphFormat_.alignment = val == QStringLiteral("center")                                ? Alignment::Center
                                     : val == QStringLiteral("right") || val == QStringLiteral("end") ? Alignment::Right
                                     : val == QStringLiteral("both") || val == QStringLiteral("distribute")
                                         ? Alignment::Justify
                                         : Alignment::Left;
      } else if (name == QStringLiteral("ind")) {
        paragraphFormat_.firstLineIndent = std::clamp(
            x.attributes().hasAttribute(kW, QStringLiteral("hanging")) ? -Number(x, QStringLiteral("hanging"))
                                                                       : Number(x, QStringLiteral("firstLine")),
            -31680, 31680);
      } else {
        return false;  // the section's properties in a paragraph's hold header and footer references
      }
      return true;
    }
    if (runProperties_) {
      if (name == QStringLiteral("b")) run_.bold = On(x);
      else if (name == QStringLiteral("i")) run_.italic = On(x);
      else if (name == QStringLiteral("sz")) run_.halfPoints = std::clamp(val.toInt(), 0, 3276);
      return true;
    }
    if (tableDepth_ != 1) return false;
    if (name == QStringLiteral("tblBorders") || name == QStringLiteral("tcBorders")) return borderSides_ = true;
    if (borderSides_) {
      // A table with a line on any side of it or of a cell is one with borders.
      if (!val.isEmpty() && val != QStringLiteral("nil") && val != QStringLiteral("none")) tableBorders_ = true;
      return true;
    }
    if (name == QStringLiteral("tblStyle")) {
      tableBorders_ = tableBorders_ || val == QStringLiteral("TableGrid");
      return true;
    }
    if (name == QStringLiteral("gridCol")) {
      grid_.push_back(std::clamp(Number(x, QStringLiteral("w")), 1, 31680));
      return true;
    }
    return false;
  }

  void Start(QXmlStreamReader& x) {
    const auto name = x.name();
    if (Properties(x)) return;
    if (name == QStringLiteral("r")) {
      run_ = {};
      return;
    }
    if (name == QStringLiteral("t")) return Append(x.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
    if (name == QStringLiteral("instrText")) return Code(x.readElementText(QXmlStreamReader::IncludeChildElements).toStdString());
    if (name == QStringLiteral("tab")) return InCode() ? Code("\t") : Append("\t");
    if (name == QStringLiteral("cr")) return Append("\v");
    if (name == QStringLiteral("br"))
      return Append(x.attributes().value(kW, QStringLiteral("type")) == QStringLiteral("page") ? "\f" : "\v");
    if (name == QStringLiteral("fldChar")) {
      const auto type = x.attributes().value(kW, QStringLiteral("fldCharType"));
      if (type == QStringLiteral("begin")) fields_.push_back({});
      else if (type == QStringLiteral("separate") && !fields_.empty()) fields_.back().inResult = true;
      else if (type == QStringLiteral("end") && !fields_.empty()) EndField();
      return;
    }
    for (const StoryPart& p : kStoryParts)
      if (name == QLatin1String(p.reference) && x.attributes().value(kW, QStringLiteral("type")) == QStringLiteral("default")) {
        references_[p.story] = x.attributes().value(kR, QStringLiteral("id")).toString();
        return;
      }
    if (name == QStringLiteral("bookmarkStart")) {
      open_[x.attributes().value(kW, QStringLiteral("id")).toString()] = {
          x.attributes().value(kW, QStringLiteral("name")).toString().toStdString(), {position_, position_}};
      return;
    }
    if (name == QStringLiteral("bookmarkEnd")) {
      const auto it = open_.find(x.attributes().value(kW, QStringLiteral("id")).toString());
      if (it == open_.end()) return;
      it->second.span.end = position_;
      bookmarks_.push_back(std::move(it->second));
      open_.erase(it);
      return;
    }
    if (name == QStringLiteral("fldSimple")) {
      fields_.push_back({Field{0, x.attributes().value(kW, QStringLiteral("instr")).toString().toStdString(), {}}, true});
      return;
    }
    if (name == QStringLiteral("drawing") || name == QStringLiteral("pict") || name == QStringLiteral("txbxContent") ||
        name == QStringLiteral("object"))
      return x.skipCurrentElement();
    if (name == QStringLiteral("tbl")) {
      if (++tableDepth_ == 1 && fields_.empty()) {
        table_ = Table{doc_.NewId(), {}};
        tableBorders_ = false;
        grid_.clear();
      }
      return;
    }
    if (tableDepth_ != 1 || !table_) return;
    if (name == QStringLiteral("tr")) row_ = Row{doc_.NewId(), {}};
    else if (name == QStringLiteral("tc") && row_) cell_ = Cell{};
  }

  void End(QStringView name) {
    if (name == QStringLiteral("pPr")) {
      paragraphProperties_ = false;
    } else if (name == QStringLiteral("rPr")) {
      runProperties_ = false;
    } else if (name == QStringLiteral("tblBorders") || name == QStringLiteral("tcBorders")) {
      borderSides_ = false;
    } else if (name == QStringLiteral("fldSimple")) {
      if (!fields_.empty()) EndField();
    } else if (name == QStringLiteral("p")) {
      // A paragraph ending inside a field's result leaves a paragraph mark in the result.
      if (!fields_.empty()) return Append("\r");
      if (cell_) return Append("\r");
      if (tableDepth_ == 0) {
        story_.blocks.emplace_back(Paragraph{std::exchange(paragraph_, {}), std::exchange(paragraphFormat_, {})});
        ++position_;
      }
    } else if (name == QStringLiteral("tbl") && tableDepth_ > 0) {
      if (--tableDepth_ == 0 && table_) {
        table_->borders = tableBorders_;
        std::size_t columns = 0;
        for (const Row& row : table_->rows) columns = std::max(columns, row.cells.size());
        if (grid_.size() == columns) table_->columnWidths = grid_;
        if (!table_->rows.empty()) story_.blocks.emplace_back(std::move(*table_));
        table_.reset();
      }
    } else if (tableDepth_ == 1 && name == QStringLiteral("tc") && cell_ && row_) {
      // Each paragraph of the cell ended in a mark; the cell's own mark ends the last one.
      if (!cell_->items.empty())
        if (auto* run = std::get_if<Run>(&cell_->items.back()); run && !run->text.empty() && run->text.back() == '\r') {
          run->text.pop_back();
          --position_;
        }
      row_->cells.push_back(std::move(*cell_));
      ++position_;  // the cell's mark
      cell_.reset();
    } else if (tableDepth_ == 1 && name == QStringLiteral("tr") && row_) {
      if (!row_->cells.empty() && table_) {
        table_->rows.push_back(std::move(*row_));
        ++position_;  // the row's mark
      }
      row_.reset();
    }
  }

  Inlines& Container() { return cell_ ? cell_->items : paragraph_; }

  // Within the code of a field that stands in the text (not one nested in another).
  bool InCode() const { return fields_.size() == 1 && !fields_.back().inResult; }
  void Code(const std::string& text) {
    if (InCode()) fields_.back().field.code += text;
  }

  // Text goes to the open field's result (a nested field's result is part of its outer field's;
  // the result takes the format of its first run), else to the paragraph or cell.
  void Append(const std::string& text) {
    if (!fields_.empty()) {
      const bool shown = std::all_of(fields_.begin() + 1, fields_.end(), [](const OpenField& f) { return f.inResult; });
      Field& field = fields_.front().field;
      if (!fields_.front().inResult || !shown) return;
      if (field.result.empty()) field.format = run_;
      field.result += text;
      return;
    }
    Container().emplace_back(Run{text, run_});
    position_ += CharCount(text);
  }

  void EndField() {
    OpenField done = std::move(fields_.back());
    fields_.pop_back();
    if (!fields_.empty()) return;
    done.field.id = doc_.NewId();
    done.field.code = SwapTitleBlank(std::move(done.field.code), '\t', ' ');
    position_ += FieldLength(done.field);
    Container().emplace_back(std::move(done.field));
  }

  DocumentContent& doc_;
  const StyleIds& styles_;
  Story story_;
  Inlines paragraph_;
  ParagraphFormat paragraphFormat_;
  RunFormat run_;
  bool paragraphProperties_ = false, runProperties_ = false, borderSides_ = false;
  bool tableBorders_ = false;
  std::vector<int> grid_;
  std::vector<OpenField> fields_;
  int tableDepth_ = 0;
  std::optional<Table> table_;
  std::optional<Row> row_;
  std::optional<Cell> cell_;
  std::size_t position_ = 0;  // in the main story as read so far, as story.h counts
  std::map<QString, Bookmark> open_;  // by id
  std::map<std::string, QString> references_;
  std::vector<Bookmark> bookmarks_;
};

// The target of the first relationship with the attribute's value in the relationships part.
std::optional<std::string> RelationshipTarget(PackageReader& parts, const std::string& relsPart, const QString& attribute,
                                              const QString& value) {
  const std::optional<std::string> rels = parts.Part(relsPart);
  if (!rels) return std::nullopt;
  QXmlStreamReader x(QByteArray::fromStdString(*rels));
  while (!x.atEnd()) {
    if (x.readNext() != QXmlStreamReader::StartElement || x.name() != QStringLiteral("Relationship") ||
        x.attributes().value(attribute) != value)
      continue;
    return x.attributes().value(QStringLiteral("Target")).toString().toStdString();
  }
  if (x.hasError()) XmlFault(x, relsPart);
  return std::nullopt;
}

// A target relative to the folder of the part whose relationships name it ("" for the package).
std::string PartName(const std::string& folder, std::string target) {
  if (!target.empty() && target.front() == '/') return target.substr(1);
  return folder + target;
}

std::string Title(const std::string& core) {
  QXmlStreamReader x(QByteArray::fromStdString(core));
  while (!x.atEnd()) {
    if (x.readNext() == QXmlStreamReader::StartElement && x.namespaceUri() == kDublinCore && x.name() == QStringLiteral("title"))
      return x.readElementText().toStdString();
  }
  if (x.hasError()) XmlFault(x, "the core properties");
  return {};
}

}  // namespace

DocumentContent ReadDocx(std::string_view bytes) {
  PackageReader parts(bytes, kMaxFileBytes);
  const std::string main =
      PartName("", RelationshipTarget(parts, "_rels/.rels", QStringLiteral("Type"), kOfficeDocument).value_or("word/document.xml"));
  const std::optional<std::string> body = parts.Part(main);
  if (!body) throw PackageError("the package has no main document part (" + main + ")");
  const std::size_t slash = main.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : main.substr(0, slash + 1);
  const std::string relsPart = folder + "_rels/" + main.substr(folder.size()) + ".rels";
  StyleIds styles;
  if (const auto target = RelationshipTarget(parts, relsPart, QStringLiteral("Type"), kStylesType))
    if (const auto part = parts.Part(PartName(folder, *target))) styles = ReadStyleIds(*part, PartName(folder, *target));

  DocumentContent doc;
  BodyReader reader(doc, styles);
  QXmlStreamReader x(QByteArray::fromStdString(*body));
  reader.Read(x, main, QStringLiteral("body"));
  doc.main = reader.Take();
  doc.bookmarks = reader.TakeBookmarks(StoryLength(doc.main));

  for (const StoryPart& p : kStoryParts) {
    const auto reference = reader.references().find(p.story);
    if (reference == reader.references().end()) continue;
    const auto target = RelationshipTarget(parts, relsPart, QStringLiteral("Id"), reference->second);
    const std::string name = target ? PartName(folder, *target) : std::string();
    const std::optional<std::string> part = target ? parts.Part(name) : std::nullopt;
    if (!part) continue;  // a dangling reference: Word shows no header either
    BodyReader storyReader(doc, styles);
    QXmlStreamReader storyXml(QByteArray::fromStdString(*part));
    storyReader.Read(storyXml, name, QString::fromLatin1(p.root));
    doc.otherStories[p.story] = storyReader.Take();
  }

  const std::string core =
      PartName("", RelationshipTarget(parts, "_rels/.rels", QStringLiteral("Type"), kCoreProperties).value_or("docProps/core.xml"));
  if (const auto found = parts.Part(core)) doc.title = Title(*found);
  if (const auto types = parts.Part("[Content_Types].xml"))
    doc.isTemplate = types->find(kTemplateType.toStdString()) != std::string::npos;
  return doc;
}

std::string WriteDocx(const DocumentContent& document, bool asTemplate) {
  PackageParts parts = {{"[Content_Types].xml", ContentTypesPart(document, asTemplate)},
                        {"_rels/.rels", PackageRelationships()},
                        {"docProps/core.xml", CorePart(document)},
                        {"word/document.xml", DocumentPart(document)},
                        {"word/styles.xml", StylesPart()},
                        {"word/_rels/document.xml.rels", DocumentRelationships(document)}};
  for (const StoryPart& p : kStoryParts)
    if (const auto story = document.otherStories.find(p.story); story != document.otherStories.end())
      parts[std::string("word/") + p.part] = StoryPartXml(p, story->second);
  return WritePackage(parts);
}

}  // namespace office::word
