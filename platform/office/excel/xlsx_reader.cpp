#include <QXmlStreamReader>

#include <charconv>
#include <cmath>
#include <array>
#include <map>
#include <optional>
#include <stdexcept>

#include "platform/office/excel/cell_text.h"
#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/xlsx_file.h"
#include "platform/office/excel/xlsx_names.h"
#include "platform/office/zip_package.h"

namespace excel {
namespace {

// Far beyond any workbook the system makes; a larger part is refused, not inflated.
constexpr std::uint64_t kMaxPartBytes = 256u << 20;

struct Malformed {
  std::string what;
};

std::string S(QStringView text) { return text.toString().toStdString(); }

// A part's XML read element by element; a document type declaration is refused, so that no
// entity can be defined in it.
class Xml {
 public:
  Xml(const std::string& part, const std::string& name) : bytes_(QByteArray::fromStdString(part)), reader_(bytes_), name_(name) {}

  // The next start element, or false at the end of the part.
  bool Next() {
    while (!reader_.atEnd()) {
      const auto token = reader_.readNext();
      if (token == QXmlStreamReader::DTD) throw Malformed{"the part '" + name_ + "' declares a document type"};
      if (token == QXmlStreamReader::StartElement) return true;
    }
    Check();
    return false;
  }
  bool Is(const char* local) const { return reader_.name() == QLatin1String(local); }
  std::string Attr(const char* local) const {
    for (const auto& a : reader_.attributes())
      if (a.name() == QLatin1String(local)) return S(a.value());
    return {};
  }
  bool Has(const char* local) const {
    for (const auto& a : reader_.attributes())
      if (a.name() == QLatin1String(local)) return true;
    return false;
  }
  // The next child element of the current one, or false at its end.
  bool Child() {
    const bool found = reader_.readNextStartElement();
    Check();
    return found;
  }
  void Skip() {
    reader_.skipCurrentElement();
    Check();
  }
  // The element's text, leaving the reader at its end.
  std::string Text() {
    const QString text = reader_.readElementText(QXmlStreamReader::SkipChildElements);
    Check();
    return text.toStdString();
  }
  // The text of the element's <t> children and of its runs' (a rich text makes one text);
  // phonetic runs are left out.
  std::string Runs(int level = 0) {
    std::string text;
    while (Child()) {
      if (Is("t")) text += Text();
      else if (Is("r") && level == 0) text += Runs(1);
      else Skip();
    }
    return text;
  }
  void Check() const {
    if (reader_.hasError()) throw Malformed{"the part '" + name_ + "' is not well-formed XML: " + reader_.errorString().toStdString()};
  }

 private:
  QByteArray bytes_;
  QXmlStreamReader reader_;
  std::string name_;
};

int Integer(const std::string& text, const std::string& what, int low, int high) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) throw Malformed{what + " '" + text + "' is out of range"};
  return v;
}

double Number(const std::string& text, const std::string& what) {
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  // No cell, width or height holds an infinity or a NaN, which from_chars reads.
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) throw Malformed{what + " '" + text + "' is not a number"};
  return v;
}

bool True(const std::string& text) { return text == "1" || text == "true"; }

// The part a relationship points at, from the folder of the part that holds it.
std::string Resolve(const std::string& folder, const std::string& target) {
  if (target.starts_with('/')) return target.substr(1);
  std::string path = folder;
  std::string rest = target;
  while (rest.starts_with("../")) {
    rest = rest.substr(3);
    const auto slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
    path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  }
  return path + rest;
}

struct Relationship {
  std::string type, target;
};

std::map<std::string, Relationship> Relationships(office::PackageReader& package, const std::string& name, const std::string& folder) {
  std::map<std::string, Relationship> out;
  const auto part = package.Part(name);
  if (!part) return out;
  Xml x(*part, name);
  while (x.Next())
    if (x.Is("Relationship")) out[x.Attr("Id")] = {x.Attr("Type"), Resolve(folder, x.Attr("Target"))};
  return out;
}

const Relationship* OfType(const std::map<std::string, Relationship>& rels, std::string_view suffix) {
  for (const auto& [id, r] : rels)
    if (r.type.ends_with(suffix)) return &r;
  return nullptr;
}

// The codes of the built-in number formats a spreadsheet writes by number.
std::string BuiltInFormat(int id) {
  static const std::map<int, std::string> kFormats = {
      {1, "0"},          {2, "0.00"},          {3, "#,##0"},     {4, "#,##0.00"}, {9, "0%"},       {10, "0.00%"},
      {11, "0.00E+00"},  {12, "# ?/?"},        {13, "# ?\?/??"},  {14, "yyyy/m/d"}, {15, "d-mmm-yy"}, {16, "d-mmm"},
      {17, "mmm-yy"},    {18, "h:mm AM/PM"},   {19, "h:mm:ss AM/PM"}, {20, "h:mm"}, {21, "h:mm:ss"}, {22, "yyyy/m/d h:mm"},
      {37, "#,##0 ;(#,##0)"}, {38, "#,##0 ;[Red](#,##0)"}, {39, "#,##0.00;(#,##0.00)"}, {40, "#,##0.00;[Red](#,##0.00)"},
      {45, "mm:ss"},     {46, "[h]:mm:ss"},    {47, "mmss.0"},   {48, "##0.0E+0"}, {49, "@"}};
  const auto it = kFormats.find(id);
  return it == kFormats.end() ? std::string() : it->second;
}

struct CellStyle {
  std::string format;
  bool locked = true;
  CellFormat look;
};

// An Open XML colour given as rgb; theme and indexed colours are taken as automatic.
std::optional<Rgb> ColourOf(const Xml& x) { return x.Has("rgb") ? RgbNamed(x.Attr("rgb")) : std::nullopt; }

// A flag element such as <b/> or <b val="0"/>.
bool FlagOf(const Xml& x) { return !x.Has("val") || True(x.Attr("val")); }

// The styles part: fonts, fills and borders by number, and the cell formats (cellXfs) that the
// cells name, read in one pass; an index out of range falls back to the default.
std::vector<CellStyle> ReadStyles(const std::string& part, const std::string& name) {
  enum class Section { Other, Fonts, Fills, Borders, CellXfs };
  struct Font {
    double size = kStandardFontSize;
    bool bold = false, italic = false;
    std::optional<Rgb> color;
  };
  struct Fill {
    bool solid = false;
    std::optional<Rgb> color;
  };
  struct XfRefs {
    std::size_t font = 0, fill = 0, border = 0;
  };
  std::map<int, std::string> custom;
  std::vector<Font> fonts;
  std::vector<Fill> fills;
  std::vector<std::array<BorderLine, 4>> borders;
  std::vector<CellStyle> styles;
  std::vector<XfRefs> refs;
  Section section = Section::Other;
  const auto index = [](const Xml& x, const char* attribute) {
    return x.Has(attribute) ? static_cast<std::size_t>(Integer(x.Attr(attribute), std::string("a style's ") + attribute, 0, 1 << 30)) : 0;
  };
  Xml x(part, name);
  while (x.Next()) {
    if (x.Is("numFmt")) {
      custom[Integer(x.Attr("numFmtId"), "a number format id", 0, 1 << 30)] = x.Attr("formatCode");
    } else if (x.Is("fonts")) {
      section = Section::Fonts;
    } else if (x.Is("fills")) {
      section = Section::Fills;
    } else if (x.Is("borders")) {
      section = Section::Borders;
    } else if (x.Is("cellXfs")) {
      section = Section::CellXfs;
    } else if (x.Is("cellStyleXfs") || x.Is("cellStyles") || x.Is("dxfs") || x.Is("tableStyles") || x.Is("colors") || x.Is("extLst")) {
      section = Section::Other;
    } else if (section == Section::Fonts) {
      if (x.Is("font")) fonts.emplace_back();
      else if (fonts.empty()) continue;
      else if (x.Is("b")) fonts.back().bold = FlagOf(x);
      else if (x.Is("i")) fonts.back().italic = FlagOf(x);
      else if (x.Is("sz") && x.Has("val")) fonts.back().size = Number(x.Attr("val"), "a font size");
      else if (x.Is("color")) fonts.back().color = ColourOf(x);
    } else if (section == Section::Fills) {
      if (x.Is("fill")) fills.emplace_back();
      else if (fills.empty()) continue;
      else if (x.Is("patternFill")) fills.back().solid = x.Attr("patternType") == "solid";
      else if (x.Is("fgColor")) fills.back().color = ColourOf(x);
    } else if (section == Section::Borders) {
      if (x.Is("border")) borders.emplace_back();
      else if (borders.empty() || !x.Has("style")) continue;
      for (Side side : {Side::Left, Side::Top, Side::Right, Side::Bottom})
        if (x.Is(NameOf(side).data())) borders.back()[static_cast<std::size_t>(side)] = BorderNamed(x.Attr("style")).value_or(BorderLine::Thin);
    } else if (section == Section::CellXfs) {
      if (x.Is("xf")) {
        const int id = x.Has("numFmtId") ? Integer(x.Attr("numFmtId"), "a number format id", 0, 1 << 30) : 0;
        const auto it = custom.find(id);
        styles.push_back({it != custom.end() ? it->second : BuiltInFormat(id), true, {}});
        refs.push_back({index(x, "fontId"), index(x, "fillId"), index(x, "borderId")});
      } else if (styles.empty()) {
        continue;
      } else if (x.Is("protection")) {
        if (x.Has("locked")) styles.back().locked = True(x.Attr("locked"));
      } else if (x.Is("alignment")) {
        CellFormat& f = styles.back().look;
        f.horizontal = HorizontalNamed(x.Attr("horizontal")).value_or(HorizontalAlignment::General);
        f.vertical = VerticalNamed(x.Attr("vertical")).value_or(VerticalAlignment::Bottom);
        f.wrap = True(x.Attr("wrapText"));
      }
    }
  }
  for (std::size_t i = 0; i < styles.size(); ++i) {
    CellFormat& f = styles[i].look;
    if (refs[i].font < fonts.size()) {
      const Font& font = fonts[refs[i].font];
      if (font.size >= 1 && font.size <= 409) f.fontSize = font.size;
      f.bold = font.bold;
      f.italic = font.italic;
      f.fontColor = font.color == Rgb{0} ? std::nullopt : font.color;
    }
    if (refs[i].fill < fills.size() && fills[refs[i].fill].solid) f.fill = fills[refs[i].fill].color;
    if (refs[i].border < borders.size()) f.borders = borders[refs[i].border];
  }
  return styles;
}

std::vector<std::string> ReadSharedStrings(const std::string& part, const std::string& name) {
  std::vector<std::string> strings;
  Xml x(part, name);
  while (x.Next())
    if (x.Is("si")) strings.push_back(x.Runs());
  return strings;
}

struct SheetEntry {
  std::string name, state, part;
};

class SheetReader {
 public:
  SheetReader(BookModel& book, SheetModel& sheet, const std::vector<std::string>& strings, const std::vector<CellStyle>& styles)
      : book_(book), sheet_(sheet), strings_(strings), styles_(styles) {}

  void Read(const std::string& part, const std::string& name) {
    Xml x(part, name);
    while (x.Next()) {
      if (x.Is("col")) Column(x);
      else if (x.Is("row")) RowStart(x);
      else if (x.Is("c")) CellElement(x);
      else if (x.Is("sheetProtection")) Protection(x);
      else if (x.Is("mergeCell")) MergeCell(x);
      else if (x.Is("selection")) Selection(x);
    }
    try {
      sheet_.cells.SetMerges(std::move(merges_));
    } catch (const std::invalid_argument& e) {
      throw Malformed{"sheet '" + sheet_.name + "': " + e.what()};
    }
    for (const auto& [position, pending] : shared_) {
      const auto master = masters_.find(pending.index);
      if (master == masters_.end()) throw Malformed{Where(position.first, position.second) + ": a shared formula without its first cell"};
      Formula f = master->second.formula;
      ShiftRelative(f, position.first - master->second.row, position.second - master->second.column);
      book_.SetFormula(sheet_, position.first, position.second, std::move(f));
    }
  }

 private:
  struct Master {
    Formula formula;
    int row = 0, column = 0;
  };
  struct Pending {
    int index = 0;
  };

  std::string Where(int row, int column) const { return "sheet '" + sheet_.name + "', cell " + ColumnLetters(column) + std::to_string(row); }

  void Column(Xml& x) {
    const int first = Integer(x.Attr("min"), "a column", 1, kMaxColumns);
    const int last = Integer(x.Attr("max"), "a column", first, kMaxColumns);
    double width = x.Has("width") ? Number(x.Attr("width"), "a column width") : kStandardColumnWidth;
    if (True(x.Attr("hidden"))) width = 0;
    if (width < 0 || width > 255) throw Malformed{"sheet '" + sheet_.name + "': a column width must be from 0 to 255"};
    if (!x.Has("width") && !True(x.Attr("hidden"))) return;
    if (last - first > 255 && width == kStandardColumnWidth) return;
    for (int c = first; c <= last; ++c) sheet_.columnWidths[c] = width;
  }

  void RowStart(Xml& x) {
    row_ = x.Has("r") ? Integer(x.Attr("r"), "a row", 1, kMaxRows) : row_ + 1;
    column_ = 0;
    if (True(x.Attr("hidden"))) sheet_.cells.SetHidden(row_, row_, true);
    if (True(x.Attr("customHeight")) && x.Has("ht")) {
      const double height = Number(x.Attr("ht"), "a row height");
      if (height < 0 || height > 409) throw Malformed{"sheet '" + sheet_.name + "': a row height must be from 0 to 409"};
      if (height != kStandardRowHeight) sheet_.cells.SetHeight(row_, height);
    }
  }

  void MergeCell(Xml& x) {
    const auto area = ParseAreaText(x.Attr("ref"));
    if (!area || area->cells() < 2) throw Malformed{"sheet '" + sheet_.name + "': '" + x.Attr("ref") + "' is not a merged area"};
    merges_.push_back(*area);
  }

  void CellElement(Xml& x) {
    if (row_ == 0) throw Malformed{"sheet '" + sheet_.name + "': a cell outside a row"};
    if (x.Has("r")) {
      const auto area = ParseAreaText(x.Attr("r"));
      if (!area || area->cells() != 1 || area->top != row_) throw Malformed{"sheet '" + sheet_.name + "': '" + x.Attr("r") + "' is not a cell of row " + std::to_string(row_)};
      column_ = area->left;
    } else {
      if (++column_ > kMaxColumns) throw Malformed{"sheet '" + sheet_.name + "': a row with too many cells"};
    }
    const int row = row_, column = column_;
    const std::string at = Where(row, column);
    const std::string type = x.Attr("t");
    const int style = x.Has("s") ? Integer(x.Attr("s"), at + ": the style", 0, 1 << 30) : 0;
    std::string formula, value, inlineText;
    bool hasFormula = false, hasValue = false, hasInline = false;
    std::string sharedIndex;
    bool sharedFormula = false;
    while (x.Child()) {
      if (x.Is("f")) {
        sharedFormula = x.Attr("t") == "shared";
        sharedIndex = x.Attr("si");
        formula = x.Text();
        hasFormula = true;
      } else if (x.Is("v")) {
        value = x.Text();
        hasValue = true;
      } else if (x.Is("is")) {
        inlineText = x.Runs();
        hasInline = true;
      } else {
        x.Skip();
      }
    }
    Cell& cell = sheet_.cells.At(row, column);
    if (static_cast<std::size_t>(style) < styles_.size()) {
      cell.format = styles_[static_cast<std::size_t>(style)].format;
      cell.locked = styles_[static_cast<std::size_t>(style)].locked;
      cell.style = styles_[static_cast<std::size_t>(style)].look;
    }
    if (hasFormula && !formula.empty()) {
      try {
        Formula f = book_.Parse(sheet_, row, column, "=" + formula, Notation::A1);
        if (sharedFormula) masters_[Integer(sharedIndex, at + ": the shared formula", 0, 1 << 30)] = {f, row, column};
        book_.SetFormula(sheet_, row, column, std::move(f));
      } catch (const FormulaSyntaxError& e) {
        throw Malformed{at + ": the formula '" + formula + "' cannot be read: " + e.what()};
      }
    } else if (hasFormula && sharedFormula) {
      shared_[{row, column}] = {Integer(sharedIndex, at + ": the shared formula", 0, 1 << 30)};
    } else if (hasInline || hasValue) {
      cell.constant = Constant(type, hasInline ? inlineText : value, at);
    }
    sheet_.cells.Tidy(row, column);
  }

  Variant Constant(const std::string& type, const std::string& text, const std::string& at) const {
    if (type == "s") {
      const int index = Integer(text, at + ": the shared string", 0, 1 << 30);
      if (static_cast<std::size_t>(index) >= strings_.size()) throw Malformed{at + ": no shared string " + text};
      return Checked(strings_[static_cast<std::size_t>(index)], at);
    }
    if (type == "inlineStr" || type == "str") return Checked(text, at);
    if (type == "b") return Variant(True(text));
    if (type == "e") {
      for (CellError e : {CellError::Null, CellError::Div0, CellError::Value, CellError::Ref, CellError::Name, CellError::Num, CellError::NA})
        if (ErrorText(e) == text) return ErrorVariant(e);
      throw Malformed{at + ": '" + text + "' is not an error value"};
    }
    if (type.empty() || type == "n") return Variant(Number(text, at + ": the value"));
    throw Malformed{at + ": the cell type '" + type + "' is unknown"};
  }

  static Variant Checked(const std::string& text, const std::string& at) {
    if (TextLength(text) > kMaxCellText) throw Malformed{at + ": a cell holds at most " + std::to_string(kMaxCellText) + " characters"};
    return Variant(text);
  }

  void Protection(Xml& x) {
    SheetProtection& p = sheet_.protection;
    p.on = True(x.Attr("sheet"));
    if (!p.on) return;
    p.passwordHash = x.Attr("password");
    p.contents = true;
    p.drawingObjects = !x.Has("objects") || True(x.Attr("objects"));
    p.scenarios = !x.Has("scenarios") || True(x.Attr("scenarios"));
    p.allowFormattingCells = x.Has("formatCells") && !True(x.Attr("formatCells"));
  }

  void Selection(Xml& x) {
    const auto active = ParseAreaText(x.Attr("activeCell"));
    const auto area = ParseAreaText(x.Attr("sqref").substr(0, x.Attr("sqref").find(' ')));
    if (!active || !area || !area->contains(active->top, active->left)) return;
    sheet_.selection = *area;
    sheet_.activeRow = active->top;
    sheet_.activeColumn = active->left;
  }

  BookModel& book_;
  SheetModel& sheet_;
  const std::vector<std::string>& strings_;
  const std::vector<CellStyle>& styles_;
  int row_ = 0, column_ = 0;
  std::map<int, Master> masters_;
  std::map<std::pair<int, int>, Pending> shared_;
  std::vector<Area> merges_;
};

// "'市场法计算表'!$A$2:$O$37" or "Sheet1!$A$2:$O$37": the area, when it is one.
std::optional<Area> PrintArea(const std::string& text) {
  const auto bang = text.rfind('!');
  if (bang == std::string::npos) return std::nullopt;
  return ParseAreaText(text.substr(bang + 1));
}

WorkbookFile Read(std::string_view content) {
  office::PackageReader package(content, kMaxPartBytes);
  const auto rootRels = Relationships(package, "_rels/.rels", "");
  const Relationship* main = OfType(rootRels, "/officeDocument");
  if (!main) throw Malformed{"the package has no workbook"};
  const std::string bookPart = main->target;
  const auto bookXml = package.Part(bookPart);
  if (!bookXml) throw Malformed{"the workbook part '" + bookPart + "' is missing"};
  const std::string folder = bookPart.substr(0, bookPart.find_last_of('/') + 1);
  const auto bookRels = Relationships(package, folder + "_rels/" + bookPart.substr(folder.size()) + ".rels", folder);

  WorkbookFile file;
  file.book = std::make_shared<BookModel>();
  BookModel& book = *file.book;
  if (const auto types = package.Part("[Content_Types].xml")) {
    Xml x(*types, "[Content_Types].xml");
    while (x.Next())
      if (x.Is("Override") && x.Attr("PartName") == "/" + bookPart && x.Attr("ContentType") == kTemplateContentType) file.isTemplate = true;
  }

  std::vector<SheetEntry> entries;
  std::vector<std::pair<std::string, std::string>> printAreas;  // by localSheetId
  int activeTab = 0;
  {
    Xml x(*bookXml, bookPart);
    while (x.Next()) {
      if (x.Is("sheet")) {
        const std::string name = x.Attr("name");
        if (name.empty()) throw Malformed{"a sheet has no name"};
        if (book.SheetNamed(name)) throw Malformed{"two sheets are named '" + name + "'"};
        const auto rel = bookRels.find(x.Attr("id"));
        if (rel == bookRels.end()) throw Malformed{"the sheet '" + name + "' has no part"};
        entries.push_back({name, x.Attr("state"), rel->second.target});
        book.AddSheet(name);
      } else if (x.Is("workbookView") && x.Has("activeTab")) {
        activeTab = Integer(x.Attr("activeTab"), "the active sheet", 0, 1 << 20);
      } else if (x.Is("workbookProtection")) {
        book.protectStructure = True(x.Attr("lockStructure"));
        if (book.protectStructure) book.structurePasswordHash = x.Attr("workbookPassword");
      } else if (x.Is("definedName") && x.Attr("name") == "_xlnm.Print_Area" && x.Has("localSheetId")) {
        const std::string local = x.Attr("localSheetId");
        printAreas.emplace_back(local, x.Text());
      }
    }
  }
  if (entries.empty()) throw Malformed{"a workbook needs at least one sheet"};

  std::vector<std::string> strings;
  if (const Relationship* r = OfType(bookRels, "/sharedStrings"))
    if (const auto part = package.Part(r->target)) strings = ReadSharedStrings(*part, r->target);
  std::vector<CellStyle> styles;
  if (const Relationship* r = OfType(bookRels, "/styles"))
    if (const auto part = package.Part(r->target)) styles = ReadStyles(*part, r->target);

  for (std::size_t i = 0; i < entries.size(); ++i) {
    SheetModel& sheet = *book.sheets()[i];
    if (entries[i].state == "hidden") sheet.visibility = SheetVisibility::Hidden;
    if (entries[i].state == "veryHidden") sheet.visibility = SheetVisibility::VeryHidden;
    const auto part = package.Part(entries[i].part);
    if (!part) throw Malformed{"the part '" + entries[i].part + "' of sheet '" + entries[i].name + "' is missing"};
    SheetReader(book, sheet, strings, styles).Read(*part, entries[i].part);
  }
  for (const auto& [local, text] : printAreas) {
    const int index = Integer(local, "a print area's sheet", 0, static_cast<int>(entries.size()) - 1);
    SheetModel& sheet = *book.sheets()[static_cast<std::size_t>(index)];
    if (const auto area = PrintArea(text)) sheet.printArea = AbsoluteReference(sheet.id, *area);
  }

  const SheetModel* active = nullptr;
  if (static_cast<std::size_t>(activeTab) < entries.size() && book.sheets()[static_cast<std::size_t>(activeTab)]->visibility == SheetVisibility::Visible)
    active = book.sheets()[static_cast<std::size_t>(activeTab)].get();
  for (const auto& s : book.sheets())
    if (!active && s->visibility == SheetVisibility::Visible) active = s.get();
  if (!active) throw Malformed{"every sheet is hidden"};
  book.activeSheet = active->id;
  return file;
}

}  // namespace

WorkbookFile ParseXlsx(std::string_view content, std::string_view fileName) {
  const std::string prefix = "'" + std::string(fileName) + "' is not a valid workbook file: ";
  try {
    return Read(content);
  } catch (const Malformed& e) {
    Fail(prefix + e.what);
  } catch (const office::PackageError& e) {
    Fail(prefix + e.what());
  }
}

}  // namespace excel
