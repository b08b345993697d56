#include <QXmlStreamWriter>

#include <charconv>
#include <map>

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

// The cell formats in use: a number format and whether the cell is locked.
class Styles {
 public:
  int IndexOf(const Cell& cell) {
    if (cell.locked && cell.format.empty()) return 0;
    const auto key = std::make_pair(cell.format, cell.locked);
    const auto it = xfs_.find(key);
    if (it != xfs_.end()) return it->second;
    const int index = static_cast<int>(order_.size()) + 1;
    xfs_.emplace(key, index);
    order_.push_back(key);
    if (!cell.format.empty() && !formats_.contains(cell.format)) formats_.emplace(cell.format, 164 + static_cast<int>(formats_.size()));
    return index;
  }

  std::string Xml() const {
    Part p;
    auto& x = p.xml;
    x.writeStartElement("styleSheet");
    x.writeDefaultNamespace(kSpreadsheetNs);
    if (!formats_.empty()) {
      x.writeStartElement("numFmts");
      x.writeAttribute("count", QString::number(formats_.size()));
      for (const auto& [code, id] : formats_) {
        x.writeEmptyElement("numFmt");
        x.writeAttribute("numFmtId", QString::number(id));
        x.writeAttribute("formatCode", Q(code));
      }
      x.writeEndElement();
    }
    x.writeStartElement("fonts");
    x.writeAttribute("count", "1");
    x.writeStartElement("font");
    x.writeEmptyElement("sz");
    x.writeAttribute("val", "11");
    x.writeEmptyElement("name");
    x.writeAttribute("val", "宋体");
    x.writeEmptyElement("charset");
    x.writeAttribute("val", "134");
    x.writeEndElement();
    x.writeEndElement();
    x.writeStartElement("fills");
    x.writeAttribute("count", "2");
    for (const char* pattern : {"none", "gray125"}) {
      x.writeStartElement("fill");
      x.writeEmptyElement("patternFill");
      x.writeAttribute("patternType", pattern);
      x.writeEndElement();
    }
    x.writeEndElement();
    x.writeStartElement("borders");
    x.writeAttribute("count", "1");
    x.writeStartElement("border");
    for (const char* side : {"left", "right", "top", "bottom", "diagonal"}) x.writeEmptyElement(side);
    x.writeEndElement();
    x.writeEndElement();
    x.writeStartElement("cellStyleXfs");
    x.writeAttribute("count", "1");
    WriteXf(x, 0, true, false);
    x.writeEndElement();
    x.writeStartElement("cellXfs");
    x.writeAttribute("count", QString::number(order_.size() + 1));
    WriteXf(x, 0, true, true);
    for (const auto& [format, locked] : order_) WriteXf(x, format.empty() ? 0 : formats_.at(format), locked, true);
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
  static void WriteXf(QXmlStreamWriter& x, int format, bool locked, bool inCell) {
    if (locked) x.writeEmptyElement("xf");
    else x.writeStartElement("xf");
    x.writeAttribute("numFmtId", QString::number(format));
    x.writeAttribute("fontId", "0");
    x.writeAttribute("fillId", "0");
    x.writeAttribute("borderId", "0");
    if (inCell) x.writeAttribute("xfId", "0");
    if (format != 0) x.writeAttribute("applyNumberFormat", "1");
    if (!locked) {
      x.writeAttribute("applyProtection", "1");
      x.writeEmptyElement("protection");
      x.writeAttribute("locked", "0");
      x.writeEndElement();
    }
  }

  std::map<std::pair<std::string, bool>, int> xfs_;
  std::vector<std::pair<std::string, bool>> order_;
  std::map<std::string, int> formats_;
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
  const auto& rows = sheet.cells.rows();
  auto next = rows.begin();
  const auto writeRow = [&](int row, const Row* data) {
    x.writeStartElement("row");
    x.writeAttribute("r", QString::number(row));
    if (sheet.cells.Hidden(row)) x.writeAttribute("hidden", "1");
    if (data)
      for (const auto& [column, cell] : data->cells) WriteCell(x, book, sheet, row, column, cell, styles);
    x.writeEndElement();
  };
  for (const auto& [first, last] : sheet.cells.hiddenRuns()) {
    for (; next != rows.end() && next->first < first; ++next) writeRow(next->first, &next->second);
    for (int row = first; row <= last; ++row) {
      const bool hasData = next != rows.end() && next->first == row;
      writeRow(row, hasData ? &next->second : nullptr);
      if (hasData) ++next;
    }
  }
  for (; next != rows.end(); ++next) writeRow(next->first, &next->second);
  x.writeEndElement();
  if (sheet.protection.on) WriteProtection(x, sheet.protection);
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
