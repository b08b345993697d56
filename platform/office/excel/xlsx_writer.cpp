#include <QXmlStreamWriter>

#include <charconv>
#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/password_hash.h"
#include "platform/office/excel/xlsx_file.h"
#include "platform/office/excel/xlsx_names.h"
#include "platform/office/zip_package.h"
#include "platform/office/file_access.h"

namespace excel {
namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string NumberText(double v) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, end);
}

// A part's XML, written as it is built.
struct Part {
  QByteArray bytes;
  QXmlStreamWriter xml{&bytes};
  Part() { xml.writeStartDocument("1.0", true); }
  std::string Finish() {
    xml.writeEndDocument();
    return bytes.toStdString();
  }
};

// Open XML's colour: alpha first.
QString Argb(Rgb rgb) { return "FF" + QString::number(rgb & 0xFFFFFFu, 16).rightJustified(6, '0').toUpper(); }

// Keeps each distinct item once, numbered in the order first seen from `first`.
template <class Item>
class Numbered {
 public:
  explicit Numbered(int first, std::vector<Item> initial = {}) : first_(first) {
    for (Item& item : initial) IndexOf(std::move(item));
  }
  int IndexOf(Item item) {
    const auto [it, added] = index_.try_emplace(item, first_ + static_cast<int>(order_.size()));
    if (added) order_.push_back(std::move(item));
    return it->second;
  }
  const std::vector<Item>& items() const { return order_; }

 private:
  int first_;
  std::map<Item, int> index_;
  std::vector<Item> order_;
};

struct FontKey {
  double size = kStandardFontSize;
  bool bold = false, italic = false;
  std::optional<Rgb> color;
  auto operator<=>(const FontKey&) const = default;
};

using BorderKey = std::array<BorderLine, 4>;

struct XfKey {
  int format = 0, font = 0, fill = 0, border = 0;
  HorizontalAlignment horizontal = HorizontalAlignment::General;
  VerticalAlignment vertical = VerticalAlignment::Bottom;
  bool wrap = false, locked = true;
  auto operator<=>(const XfKey&) const = default;
};

// The cell formats in use, as the styles part numbers them: number formats, fonts, fills,
// borders, and the cell formats (xf) that combine them with alignment and protection.
class Styles {
 public:
  int IndexOf(const Cell& cell) {
    if (cell.locked && cell.format.empty() && cell.style.isDefault()) return 0;
    const CellFormat& f = cell.style;
    XfKey key;
    key.format = cell.format.empty() ? 0 : formats_.IndexOf(cell.format);
    key.font = fonts_.IndexOf({f.fontSize, f.bold, f.italic, f.fontColor});
    // Fills 0 and 1 are the two every package reserves: none and gray125.
    key.fill = f.fill ? fills_.IndexOf(*f.fill) : 0;
    key.border = borders_.IndexOf(f.borders);
    key.horizontal = f.horizontal;
    key.vertical = f.vertical;
    key.wrap = f.wrap;
    key.locked = cell.locked;
    return xfs_.IndexOf(key);
  }

  std::string Xml() const {
    Part p;
    auto& x = p.xml;
    x.writeStartElement("styleSheet");
    x.writeDefaultNamespace(kSpreadsheetNs);
    if (!formats_.items().empty()) {
      x.writeStartElement("numFmts");
      x.writeAttribute("count", QString::number(formats_.items().size()));
      int id = kFirstCustomFormat;
      for (const std::string& code : formats_.items()) {
        x.writeEmptyElement("numFmt");
        x.writeAttribute("numFmtId", QString::number(id++));
        x.writeAttribute("formatCode", Q(code));
      }
      x.writeEndElement();
    }
    x.writeStartElement("fonts");
    x.writeAttribute("count", QString::number(fonts_.items().size()));
    for (const FontKey& font : fonts_.items()) WriteFont(x, font);
    x.writeEndElement();
    x.writeStartElement("fills");
    x.writeAttribute("count", QString::number(fills_.items().size() + 2));
    for (const char* pattern : {"none", "gray125"}) {
      x.writeStartElement("fill");
      x.writeEmptyElement("patternFill");
      x.writeAttribute("patternType", pattern);
      x.writeEndElement();
    }
    for (Rgb rgb : fills_.items()) {
      x.writeStartElement("fill");
      x.writeStartElement("patternFill");
      x.writeAttribute("patternType", "solid");
      x.writeEmptyElement("fgColor");
      x.writeAttribute("rgb", Argb(rgb));
      x.writeEmptyElement("bgColor");
      x.writeAttribute("indexed", "64");
      x.writeEndElement();
      x.writeEndElement();
    }
    x.writeEndElement();
    x.writeStartElement("borders");
    x.writeAttribute("count", QString::number(borders_.items().size()));
    for (const BorderKey& border : borders_.items()) WriteBorder(x, border);
    x.writeEndElement();
    x.writeStartElement("cellStyleXfs");
    x.writeAttribute("count", "1");
    WriteXf(x, XfKey{}, false);
    x.writeEndElement();
    x.writeStartElement("cellXfs");
    x.writeAttribute("count", QString::number(xfs_.items().size()));
    for (const XfKey& xf : xfs_.items()) WriteXf(x, xf, true);
    x.writeEndElement();
    x.writeStartElement("cellStyles");
    x.writeAttribute("count", "1");
    x.writeEmptyElement("cellStyle");
    x.writeAttribute("name", "Normal");
    x.writeAttribute("xfId", "0");
    x.writeAttribute("builtinId", "0");
    x.writeEndElement();
    x.writeEndElement();
    return p.Finish();
  }

 private:
  static constexpr int kFirstCustomFormat = 164;

  static void WriteFont(QXmlStreamWriter& x, const FontKey& font) {
    x.writeStartElement("font");
    if (font.bold) x.writeEmptyElement("b");
    if (font.italic) x.writeEmptyElement("i");
    x.writeEmptyElement("sz");
    x.writeAttribute("val", Q(NumberText(font.size)));
    if (font.color) {
      x.writeEmptyElement("color");
      x.writeAttribute("rgb", Argb(*font.color));
    }
    x.writeEmptyElement("name");
    x.writeAttribute("val", "宋体");
    x.writeEmptyElement("charset");
    x.writeAttribute("val", "134");
    x.writeEndElement();
  }

  static void WriteBorder(QXmlStreamWriter& x, const BorderKey& border) {
    x.writeStartElement("border");
    for (Side side : {Side::Left, Side::Right, Side::Top, Side::Bottom}) {
      const BorderLine line = border[static_cast<std::size_t>(side)];
      if (line == BorderLine::None) {
        x.writeEmptyElement(Q(NameOf(side)));
        continue;
      }
      x.writeStartElement(Q(NameOf(side)));
      x.writeAttribute("style", Q(NameOf(line)));
      x.writeEmptyElement("color");
      x.writeAttribute("indexed", "64");
      x.writeEndElement();
    }
    x.writeEmptyElement("diagonal");
    x.writeEndElement();
  }

  static void WriteXf(QXmlStreamWriter& x, const XfKey& xf, bool inCell) {
    const bool aligned = xf.horizontal != HorizontalAlignment::General || xf.vertical != VerticalAlignment::Bottom || xf.wrap;
    x.writeStartElement("xf");
    x.writeAttribute("numFmtId", QString::number(xf.format));
    x.writeAttribute("fontId", QString::number(xf.font));
    x.writeAttribute("fillId", QString::number(xf.fill));
    x.writeAttribute("borderId", QString::number(xf.border));
    if (inCell) x.writeAttribute("xfId", "0");
    if (xf.format != 0) x.writeAttribute("applyNumberFormat", "1");
    if (xf.font != 0) x.writeAttribute("applyFont", "1");
    if (xf.fill != 0) x.writeAttribute("applyFill", "1");
    if (xf.border != 0) x.writeAttribute("applyBorder", "1");
    if (aligned) x.writeAttribute("applyAlignment", "1");
    if (!xf.locked) x.writeAttribute("applyProtection", "1");
    if (aligned) {
      x.writeEmptyElement("alignment");
      if (xf.horizontal != HorizontalAlignment::General) x.writeAttribute("horizontal", Q(NameOf(xf.horizontal)));
      if (xf.vertical != VerticalAlignment::Bottom) x.writeAttribute("vertical", Q(NameOf(xf.vertical)));
      if (xf.wrap) x.writeAttribute("wrapText", "1");
    }
    if (!xf.locked) {
      x.writeEmptyElement("protection");
      x.writeAttribute("locked", "0");
    }
    x.writeEndElement();
  }

  Numbered<std::string> formats_{kFirstCustomFormat};
  Numbered<FontKey> fonts_{0, {FontKey{}}};
  Numbered<Rgb> fills_{2};
  Numbered<BorderKey> borders_{0, {BorderKey{}}};
  Numbered<XfKey> xfs_{0, {XfKey{}}};
};

template <class Describe>
QString Checked(const std::string& text, Describe&& what) {
  if (!office::IsValidUtf8(text)) Fail("The workbook cannot be saved: " + what() + " is not valid UTF-8.");
  return Q(text);
}

void WriteType(QXmlStreamWriter& x, const Variant& v, bool formula) {
  switch (v.kind()) {
    case Variant::Kind::Boolean: x.writeAttribute("t", "b"); break;
    case Variant::Kind::Text: x.writeAttribute("t", formula ? "str" : "inlineStr"); break;
    case Variant::Kind::Error: x.writeAttribute("t", "e"); break;
    default: break;
  }
}

void WriteCell(QXmlStreamWriter& x, BookModel& book, const SheetModel& sheet, int row, int column, const Cell& cell, Styles& styles) {
  const std::string name = ColumnLetters(column) + std::to_string(row);
  const auto where = [&] { return "the text of cell " + sheet.name + "!" + name; };
  x.writeStartElement("c");
  x.writeAttribute("r", Q(name));
  if (const int style = styles.IndexOf(cell); style != 0) x.writeAttribute("s", QString::number(style));
  const bool isFormula = cell.formula != kNoFormula;
  const Variant value = isFormula ? book.ValueAt(sheet.id, row, column) : cell.constant;
  WriteType(x, value, isFormula);
  if (isFormula) x.writeTextElement("f", Checked(book.ContentText(sheet, row, column, Notation::A1).substr(1), where));
  switch (value.kind()) {
    case Variant::Kind::Empty: break;
    case Variant::Kind::Boolean: x.writeTextElement("v", std::get<bool>(value.value()) ? "1" : "0"); break;
    case Variant::Kind::Error: x.writeTextElement("v", Q(ErrorText(*ErrorOf(value)))); break;
    case Variant::Kind::Text:
      if (isFormula) {
        x.writeTextElement("v", Checked(std::get<std::string>(value.value()), where));
      } else {
        x.writeStartElement("is");
        x.writeStartElement("t");
        x.writeAttribute("xml:space", "preserve");
        x.writeCharacters(Checked(std::get<std::string>(value.value()), where));
        x.writeEndElement();
        x.writeEndElement();
      }
      break;
    default: x.writeTextElement("v", Q(NumberText(value.toDouble()))); break;
  }
  x.writeEndElement();
}

void WriteProtection(QXmlStreamWriter& x, const SheetProtection& p) {
  x.writeEmptyElement("sheetProtection");
  const std::string hash = p.passwordHash.empty() ? LegacyPasswordHash(p.password) : p.passwordHash;
  if (!hash.empty()) x.writeAttribute("password", Q(hash));
  x.writeAttribute("sheet", p.contents ? "1" : "0");
  x.writeAttribute("objects", p.drawingObjects ? "1" : "0");
  x.writeAttribute("scenarios", p.scenarios ? "1" : "0");
  x.writeAttribute("formatCells", p.allowFormattingCells ? "0" : "1");
}

std::string SheetXml(BookModel& book, const SheetModel& sheet, bool selected, Styles& styles) {
  Part p;
  auto& x = p.xml;
  x.writeStartElement("worksheet");
  x.writeDefaultNamespace(kSpreadsheetNs);
  x.writeNamespace(kRelationshipsNs, "r");
  x.writeStartElement("sheetViews");
  x.writeStartElement("sheetView");
  if (selected) x.writeAttribute("tabSelected", "1");
  x.writeAttribute("workbookViewId", "0");
  x.writeEmptyElement("selection");
  x.writeAttribute("activeCell", Q(ColumnLetters(sheet.activeColumn) + std::to_string(sheet.activeRow)));
  x.writeAttribute("sqref", Q(AddressText(sheet.selection, false, false)));
  x.writeEndElement();
  x.writeEndElement();
  x.writeEmptyElement("sheetFormatPr");
  x.writeAttribute("defaultRowHeight", "13.5");
  if (!sheet.columnWidths.empty()) {
    x.writeStartElement("cols");
    for (const auto& [column, width] : sheet.columnWidths) {
      x.writeEmptyElement("col");
      x.writeAttribute("min", QString::number(column));
      x.writeAttribute("max", QString::number(column));
      x.writeAttribute("width", Q(NumberText(width)));
      x.writeAttribute("customWidth", "1");
      if (width == 0) x.writeAttribute("hidden", "1");
    }
    x.writeEndElement();
  }
  x.writeStartElement("sheetData");
  const auto writeRow = [&](int row, const Row* data) {
    x.writeStartElement("row");
    x.writeAttribute("r", QString::number(row));
    if (sheet.cells.Hidden(row)) x.writeAttribute("hidden", "1");
    if (const double height = sheet.cells.Height(row); height != 0) {
      x.writeAttribute("ht", Q(NumberText(height)));
      x.writeAttribute("customHeight", "1");
    }
    if (data)
      for (const auto& [column, cell] : data->cells) WriteCell(x, book, sheet, row, column, cell, styles);
    x.writeEndElement();
  };
  // Every row that holds cells, is hidden or has its own height, in order.
  const auto& rows = sheet.cells.rows();
  const auto& heights = sheet.cells.heights();
  const auto& hidden = sheet.cells.hiddenRuns();
  constexpr int kNone = kMaxRows + 1;
  const auto nextHidden = [&](int after) {
    auto it = hidden.upper_bound(after + 1);
    if (it != hidden.begin() && std::prev(it)->second >= after + 1) return after + 1;
    return it == hidden.end() ? kNone : it->first;
  };
  auto data = rows.begin();
  auto height = heights.begin();
  for (int row = 0;;) {
    row = std::min({data == rows.end() ? kNone : data->first, height == heights.end() ? kNone : height->first, nextHidden(row)});
    if (row == kNone) break;
    const bool hasData = data != rows.end() && data->first == row;
    writeRow(row, hasData ? &data->second : nullptr);
    if (hasData) ++data;
    if (height != heights.end() && height->first == row) ++height;
  }
  x.writeEndElement();
  if (sheet.protection.on) WriteProtection(x, sheet.protection);
  if (!sheet.cells.merges().empty()) {
    x.writeStartElement("mergeCells");
    x.writeAttribute("count", QString::number(sheet.cells.merges().size()));
    for (const Area& m : sheet.cells.merges()) {
      x.writeEmptyElement("mergeCell");
      x.writeAttribute("ref", Q(AddressText(m, false, false)));
    }
    x.writeEndElement();
  }
  x.writeEndElement();
  return p.Finish();
}

std::string QuotedSheetName(const std::string& name) {
  std::string out = "'";
  for (char c : name) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string WorkbookXml(const BookModel& book) {
  Part p;
  auto& x = p.xml;
  x.writeStartElement("workbook");
  x.writeDefaultNamespace(kSpreadsheetNs);
  x.writeNamespace(kRelationshipsNs, "r");
  if (book.protectStructure) {
    x.writeEmptyElement("workbookProtection");
    const std::string hash = book.structurePasswordHash.empty() ? LegacyPasswordHash(book.structurePassword) : book.structurePasswordHash;
    if (!hash.empty()) x.writeAttribute("workbookPassword", Q(hash));
    x.writeAttribute("lockStructure", "1");
  }
  const auto& sheets = book.sheets();
  x.writeStartElement("bookViews");
  x.writeEmptyElement("workbookView");
  for (std::size_t i = 0; i < sheets.size(); ++i)
    if (sheets[i]->id == book.activeSheet) x.writeAttribute("activeTab", QString::number(i));
  x.writeEndElement();
  x.writeStartElement("sheets");
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const SheetModel& s = *sheets[i];
    x.writeEmptyElement("sheet");
    x.writeAttribute("name", Checked(s.name, [] { return std::string("a sheet name"); }));
    x.writeAttribute("sheetId", QString::number(i + 1));
    if (s.visibility == SheetVisibility::Hidden) x.writeAttribute("state", "hidden");
    if (s.visibility == SheetVisibility::VeryHidden) x.writeAttribute("state", "veryHidden");
    x.writeAttribute(kRelationshipsNs, "id", QString("rId%1").arg(i + 1));
  }
  x.writeEndElement();
  bool names = false;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (!sheets[i]->printArea) continue;
    if (!names) x.writeStartElement("definedNames");
    names = true;
    x.writeStartElement("definedName");
    x.writeAttribute("name", "_xlnm.Print_Area");
    x.writeAttribute("localSheetId", QString::number(i));
    x.writeCharacters(Q(QuotedSheetName(sheets[i]->name) + "!" + AddressText(AreaOf(*sheets[i]->printArea))));
    x.writeEndElement();
  }
  if (names) x.writeEndElement();
  x.writeEmptyElement("calcPr");
  x.writeAttribute("fullCalcOnLoad", "1");
  x.writeEndElement();
  return p.Finish();
}

std::string Relationships(const std::vector<std::pair<QString, QString>>& typeAndTarget) {
  Part p;
  auto& x = p.xml;
  x.writeStartElement("Relationships");
  x.writeDefaultNamespace(kPackageRelationshipsNs);
  int id = 0;
  for (const auto& [type, target] : typeAndTarget) {
    x.writeEmptyElement("Relationship");
    x.writeAttribute("Id", QString("rId%1").arg(++id));
    x.writeAttribute("Type", type);
    x.writeAttribute("Target", target);
  }
  x.writeEndElement();
  return p.Finish();
}

std::string ContentTypes(std::size_t sheetCount, bool isTemplate) {
  Part p;
  auto& x = p.xml;
  x.writeStartElement("Types");
  x.writeDefaultNamespace("http://schemas.openxmlformats.org/package/2006/content-types");
  x.writeEmptyElement("Default");
  x.writeAttribute("Extension", "rels");
  x.writeAttribute("ContentType", "application/vnd.openxmlformats-package.relationships+xml");
  x.writeEmptyElement("Default");
  x.writeAttribute("Extension", "xml");
  x.writeAttribute("ContentType", "application/xml");
  const auto override = [&](const QString& part, const QString& type) {
    x.writeEmptyElement("Override");
    x.writeAttribute("PartName", part);
    x.writeAttribute("ContentType", type);
  };
  override("/xl/workbook.xml", isTemplate ? kTemplateContentType : kWorkbookContentType);
  for (std::size_t i = 1; i <= sheetCount; ++i)
    override(QString("/xl/worksheets/sheet%1.xml").arg(i), "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");
  override("/xl/styles.xml", "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
  x.writeEndElement();
  return p.Finish();
}

}  // namespace

std::string XlsxContent(BookModel& book, bool isTemplate) {
  std::map<std::string, std::string> parts;
  Styles styles;
  std::vector<std::pair<QString, QString>> bookRels;
  const auto& sheets = book.sheets();
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const QString target = QString("worksheets/sheet%1.xml").arg(i + 1);
    parts["xl/" + target.toStdString()] = SheetXml(book, *sheets[i], sheets[i]->id == book.activeSheet, styles);
    bookRels.emplace_back(QString(kRelationshipsNs) + "/worksheet", target);
  }
  bookRels.emplace_back(QString(kRelationshipsNs) + "/styles", "styles.xml");
  parts["xl/styles.xml"] = styles.Xml();
  parts["xl/workbook.xml"] = WorkbookXml(book);
  parts["xl/_rels/workbook.xml.rels"] = Relationships(bookRels);
  parts["_rels/.rels"] = Relationships({{QString(kRelationshipsNs) + "/officeDocument", "xl/workbook.xml"}});
  parts["[Content_Types].xml"] = ContentTypes(sheets.size(), isTemplate);
  try {
    return office::WritePackage(parts);
  } catch (const office::PackageError& e) {
    Fail(std::string("The workbook cannot be saved: ") + e.what() + ".");
  }
}

}  // namespace excel
