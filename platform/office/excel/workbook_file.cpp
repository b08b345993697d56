#include "platform/office/excel/workbook_file.h"

#include <filesystem>

#include <nlohmann/json.hpp>

#include "platform/automation/member_table.h"
#include "platform/office/excel/cell_text.h"
#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/xlsx_file.h"
#include "platform/office/zip_package.h"
#include "platform/office/file_access.h"

namespace excel {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// Adds a member whose key is known to be new: ordered_json's own insertion searches the whole
// object first, which makes writing a large sheet quadratic.
void AppendNew(OrderedJson& object, std::string key, OrderedJson value) {
  auto& members = object.get_ref<OrderedJson::object_t&>();
  static_cast<std::vector<std::pair<const std::string, OrderedJson>>&>(members).emplace_back(std::move(key), std::move(value));
}

struct Malformed {
  std::string what;
};

const Json& Member(const Json& object, const char* key, Json::value_t type, const std::string& where) {
  static const Json kNull;
  const auto it = object.find(key);
  if (it == object.end()) return kNull;
  const bool ok = it->type() == type || (type == Json::value_t::number_float && it->is_number());
  if (!ok) throw Malformed{where + ": \"" + key + "\" has the wrong type"};
  return *it;
}

bool Flag(const Json& object, const char* key, bool fallback, const std::string& where) {
  const Json& v = Member(object, key, Json::value_t::boolean, where);
  return v.is_null() ? fallback : v.get<bool>();
}

std::string Text(const Json& object, const char* key, const std::string& where) {
  const Json& v = Member(object, key, Json::value_t::string, where);
  return v.is_null() ? std::string() : v.get<std::string>();
}

Area AreaText(const std::string& text, const std::string& where) {
  const auto area = ParseAreaText(text);
  if (!area) throw Malformed{where + ": '" + text + "' is not a range"};
  return area.value();
}

Rgb Colour(const Json& object, const char* key, const std::string& where) {
  const std::string text = Text(object, key, where);
  const auto rgb = RgbNamed(text);
  if (!rgb || !text.starts_with('#')) throw Malformed{where + ": \"" + key + "\" is a colour like \"#FFF2CC\""};
  return *rgb;
}

template <class Enum>
Enum Named(const Json& object, const char* key, std::optional<Enum> (*named)(std::string_view), Enum fallback, const std::string& where) {
  const std::string text = Text(object, key, where);
  if (text.empty()) return fallback;
  const auto value = named(text);
  if (!value) throw Malformed{where + ": \"" + key + "\" cannot be '" + text + "'"};
  return *value;
}

CellFormat ReadCellFormat(const Json& j, const std::string& at) {
  CellFormat f;
  if (j.contains("fill")) f.fill = Colour(j, "fill", at);
  const Json& font = Member(j, "font", Json::value_t::object, at);
  if (!font.is_null()) {
    f.bold = Flag(font, "bold", false, at);
    f.italic = Flag(font, "italic", false, at);
    const Json& size = Member(font, "size", Json::value_t::number_float, at);
    if (!size.is_null()) {
      if (size.get<double>() < 1 || size.get<double>() > 409) throw Malformed{at + ": a font size is from 1 to 409"};
      f.fontSize = size.get<double>();
    }
    if (font.contains("color")) f.fontColor = Colour(font, "color", at);
  }
  f.horizontal = Named(j, "align", HorizontalNamed, HorizontalAlignment::General, at);
  f.vertical = Named(j, "valign", VerticalNamed, VerticalAlignment::Bottom, at);
  f.wrap = Flag(j, "wrap", false, at);
  const Json& borders = Member(j, "borders", Json::value_t::object, at);
  if (borders.is_null()) return f;
  for (const auto& [side, line] : borders.items()) {
    std::optional<std::size_t> index;
    for (Side s : {Side::Left, Side::Top, Side::Right, Side::Bottom})
      if (NameOf(s) == side) index = static_cast<std::size_t>(s);
    if (!index) throw Malformed{at + ": '" + side + "' is not a side of a cell"};
    f.borders[*index] = Named(borders, side.c_str(), BorderNamed, BorderLine::None, at);
  }
  return f;
}

void ReadSheet(BookModel& book, SheetModel& sheet, const Json& j) {
  const std::string where = "sheet '" + sheet.name + "'";
  if (Flag(j, "hidden", false, where)) sheet.visibility = SheetVisibility::Hidden;
  for (const auto& [address, cellJson] : Member(j, "cells", Json::value_t::object, where).items()) {
    const std::string at = where + ", cell " + address;
    const auto area = ParseAreaText(address);
    if (!area || area->cells() != 1) throw Malformed{at + ": not a cell address"};
    if (!cellJson.is_object()) throw Malformed{at + ": a cell must be an object"};
    const auto value = cellJson.find("value");
    const auto formula = cellJson.find("formula");
    if (value != cellJson.end() && formula != cellJson.end()) throw Malformed{at + ": both a value and a formula"};
    Cell& cell = sheet.cells.At(area->top, area->left);
    cell.locked = Flag(cellJson, "locked", true, at);
    cell.format = Text(cellJson, "format", at);
    cell.style = ReadCellFormat(cellJson, at);
    if (formula != cellJson.end()) {
      if (!formula->is_string() || formula->get<std::string>().rfind('=', 0) != 0)
        throw Malformed{at + ": a formula is a text beginning with '='"};
      try {
        book.SetFormula(sheet, area->top, area->left, book.Parse(sheet, area->top, area->left, formula->get<std::string>(), Notation::A1));
      } catch (const FormulaSyntaxError& e) {
        throw Malformed{at + ": " + e.what()};
      }
    } else if (value != cellJson.end()) {
      if (value->is_string() && TextLength(value->get_ref<const std::string&>()) > kMaxCellText)
        throw Malformed{at + ": a cell holds at most " + std::to_string(kMaxCellText) + " characters"};
      if (value->is_string()) cell.constant = Variant(value->get<std::string>());
      else if (value->is_boolean()) cell.constant = Variant(value->get<bool>());
      else if (value->is_number()) cell.constant = Variant(value->get<double>());
      else throw Malformed{at + ": a value is a text, a number or a boolean"};
    }
    sheet.cells.Tidy(area->top, area->left);
  }
  for (const Json& rows : Member(j, "hiddenRows", Json::value_t::array, where)) {
    if (!rows.is_string()) throw Malformed{where + ": hidden rows are texts like \"38:73\""};
    const Area a = AreaText(rows.get<std::string>(), where);
    if (!a.entireRows()) throw Malformed{where + ": '" + rows.get<std::string>() + "' is not a row range"};
    sheet.cells.SetHidden(a.top, a.bottom, true);
  }
  for (const auto& [letters, width] : Member(j, "columnWidths", Json::value_t::object, where).items()) {
    const auto column = ColumnNumber(letters);
    if (!column || !width.is_number() || width.get<double>() < 0 || width.get<double>() > 255)
      throw Malformed{where + ": column width '" + letters + "' must be a column with a width from 0 to 255"};
    sheet.columnWidths[*column] = width.get<double>();
  }
  std::vector<Area> merges;
  for (const Json& merged : Member(j, "merges", Json::value_t::array, where)) {
    if (!merged.is_string()) throw Malformed{where + ": merged areas are texts like \"A2:O2\""};
    merges.push_back(AreaText(merged.get<std::string>(), where));
    if (merges.back().cells() < 2) throw Malformed{where + ": '" + merged.get<std::string>() + "' is one cell, not a merged area"};
  }
  try {
    sheet.cells.SetMerges(std::move(merges));
  } catch (const std::invalid_argument& e) {
    throw Malformed{where + ": " + e.what()};
  }
  for (const auto& [rowText, height] : Member(j, "rowHeights", Json::value_t::object, where).items()) {
    const auto rows = ParseAreaText(rowText + ":" + rowText);
    if (!rows || !rows->entireRows() || !height.is_number() || height.get<double>() <= 0 || height.get<double>() > 409)
      throw Malformed{where + ": row height '" + rowText + "' must be a row with a height above 0 and at most 409"};
    sheet.cells.SetHeight(rows->top, height.get<double>());
  }
  if (const std::string area = Text(j, "printArea", where); !area.empty()) {
    const Area a = AreaText(area, where);
    sheet.printArea = AbsoluteReference(sheet.id, a);
  }
  const Json& p = Member(j, "protection", Json::value_t::object, where);
  if (!p.is_null()) {
    sheet.protection.on = true;
    sheet.protection.password = Text(p, "password", where);
    sheet.protection.passwordHash = Text(p, "passwordHash", where);
    sheet.protection.drawingObjects = Flag(p, "drawingObjects", true, where);
    sheet.protection.contents = Flag(p, "contents", true, where);
    sheet.protection.scenarios = Flag(p, "scenarios", true, where);
    sheet.protection.allowFormattingCells = Flag(p, "allowFormattingCells", false, where);
  }
}

WorkbookFile Read(const Json& j) {
  if (!j.is_object()) throw Malformed{"the file is not a JSON object"};
  WorkbookFile file;
  file.book = std::make_shared<BookModel>();
  BookModel& book = *file.book;
  file.isTemplate = Flag(j, "template", false, "the workbook");
  const Json& sheets = Member(j, "sheets", Json::value_t::array, "the workbook");
  if (sheets.empty()) throw Malformed{"a workbook needs at least one sheet"};
  for (const Json& s : sheets) {
    if (!s.is_object()) throw Malformed{"a sheet must be an object"};
    const std::string name = Text(s, "name", "a sheet");
    if (name.empty()) throw Malformed{"a sheet has no name"};
    if (book.SheetNamed(name)) throw Malformed{"two sheets are named '" + name + "'"};
    book.AddSheet(name);
  }
  // Formulas may name any sheet, so the cells are read once every sheet exists.
  for (std::size_t i = 0; i < sheets.size(); ++i) ReadSheet(book, *book.sheets()[i], sheets[i]);
  const SheetModel* firstVisible = nullptr;
  for (const auto& s : book.sheets())
    if (!firstVisible && s->visibility == SheetVisibility::Visible) firstVisible = s.get();
  if (!firstVisible) throw Malformed{"every sheet is hidden"};
  book.activeSheet = firstVisible->id;
  if (const std::string active = Text(j, "activeSheet", "the workbook"); !active.empty()) {
    const SheetModel* s = book.SheetNamed(active);
    if (!s) throw Malformed{"the active sheet '" + active + "' does not exist"};
    if (s->visibility != SheetVisibility::Visible) throw Malformed{"the active sheet '" + active + "' is hidden"};
    book.activeSheet = s->id;
  }
  const Json& p = Member(j, "protection", Json::value_t::object, "the workbook");
  if (!p.is_null()) {
    book.protectStructure = Flag(p, "structure", true, "the workbook protection");
    book.structurePassword = Text(p, "password", "the workbook protection");
    book.structurePasswordHash = Text(p, "passwordHash", "the workbook protection");
  }
  return file;
}

void HiddenRows(const CellStore& cells, OrderedJson& out) {
  for (const auto& [first, last] : cells.hiddenRuns()) out.push_back(std::to_string(first) + ":" + std::to_string(last));
}

// A text that the file cannot hold is refused by name, before anything is written.
template <class Describe>
const std::string& Writable(const std::string& text, Describe&& what) {
  if (!office::IsValidUtf8(text)) Fail("The workbook cannot be saved: " + what() + " is not valid UTF-8.");
  return text;
}

void WriteCellFormat(const CellFormat& f, OrderedJson& c) {
  if (f.fill) c["fill"] = RgbText(*f.fill);
  OrderedJson font = OrderedJson::object();
  if (f.bold) font["bold"] = true;
  if (f.italic) font["italic"] = true;
  if (f.fontSize != kStandardFontSize) font["size"] = f.fontSize;
  if (f.fontColor) font["color"] = RgbText(*f.fontColor);
  if (!font.empty()) c["font"] = std::move(font);
  if (f.horizontal != HorizontalAlignment::General) c["align"] = NameOf(f.horizontal);
  if (f.vertical != VerticalAlignment::Bottom) c["valign"] = NameOf(f.vertical);
  if (f.wrap) c["wrap"] = true;
  if (f.hasBorder()) {
    OrderedJson borders = OrderedJson::object();
    for (Side s : {Side::Left, Side::Top, Side::Right, Side::Bottom})
      if (f.border(s) != BorderLine::None) borders[std::string(NameOf(s))] = NameOf(f.border(s));
    c["borders"] = std::move(borders);
  }
}

OrderedJson CellJson(const BookModel& book, const SheetModel& sheet, int row, int column, const Cell& cell) {
  OrderedJson c = OrderedJson::object();
  const auto name = [&] { return sheet.name + "!" + ColumnLetters(column) + std::to_string(row); };
  const auto text = [&] { return "the text of cell " + name(); };
  if (cell.formula != kNoFormula) {
    c["formula"] = Writable(book.ContentText(sheet, row, column, Notation::A1), text);
  } else {
    const Variant& v = cell.constant;
    switch (v.kind()) {
      case Variant::Kind::Empty: break;
      case Variant::Kind::Boolean: c["value"] = std::get<bool>(v.value()); break;
      case Variant::Kind::Text: c["value"] = Writable(std::get<std::string>(v.value()), text); break;
      case Variant::Kind::Error: c["formula"] = "=" + std::string(ErrorText(*ErrorOf(v))); break;
      default: c["value"] = v.toDouble(); break;
    }
  }
  if (!cell.locked) c["locked"] = false;
  if (!cell.format.empty()) c["format"] = Writable(cell.format, [&] { return "the number format of cell " + name(); });
  WriteCellFormat(cell.style, c);
  return c;
}

}  // namespace

WorkbookFile ParseWorkbookJson(std::string_view json, std::string_view fileName) {
  const std::string prefix = "'" + std::string(fileName) + "' is not a valid workbook file: ";
  try {
    return Read(Json::parse(json));
  } catch (const Json::exception& e) {
    Fail(prefix + e.what());
  } catch (const Malformed& e) {
    Fail(prefix + e.what);
  }
}

std::string WorkbookJson(const BookModel& book, bool isTemplate) {
  OrderedJson j = OrderedJson::object();
  if (isTemplate) j["template"] = true;
  for (const auto& s : book.sheets())
    if (s->id == book.activeSheet) j["activeSheet"] = s->name;
  if (book.protectStructure) {
    j["protection"] = {{"password", book.structurePassword}, {"structure", true}};
    if (!book.structurePasswordHash.empty()) j["protection"]["passwordHash"] = book.structurePasswordHash;
  }
  OrderedJson sheets = OrderedJson::array();
  for (const auto& s : book.sheets()) {
    OrderedJson sj = OrderedJson::object();
    sj["name"] = s->name;
    if (s->visibility != SheetVisibility::Visible) sj["hidden"] = true;
    OrderedJson cells = OrderedJson::object();
    for (const auto& [row, data] : s->cells.rows())
      for (const auto& [column, cell] : data.cells)
        AppendNew(cells, ColumnLetters(column) + std::to_string(row), CellJson(book, *s, row, column, cell));
    sj["cells"] = std::move(cells);
    OrderedJson hidden = OrderedJson::array();
    HiddenRows(s->cells, hidden);
    if (!hidden.empty()) sj["hiddenRows"] = std::move(hidden);
    if (!s->columnWidths.empty()) {
      OrderedJson widths = OrderedJson::object();
      for (const auto& [column, width] : s->columnWidths) widths[ColumnLetters(column)] = width;
      sj["columnWidths"] = std::move(widths);
    }
    if (!s->cells.merges().empty()) {
      OrderedJson merges = OrderedJson::array();
      for (const Area& m : s->cells.merges()) merges.push_back(AddressText(m, false, false));
      sj["merges"] = std::move(merges);
    }
    OrderedJson heights = OrderedJson::object();
    for (const auto& [row, height] : s->cells.heights()) AppendNew(heights, std::to_string(row), height);
    if (!heights.empty()) sj["rowHeights"] = std::move(heights);
    if (s->printArea) sj["printArea"] = AddressText(AreaOf(*s->printArea));
    if (s->protection.on)
      sj["protection"] = {{"password", s->protection.password}, {"drawingObjects", s->protection.drawingObjects},
                          {"contents", s->protection.contents}, {"scenarios", s->protection.scenarios},
                          {"allowFormattingCells", s->protection.allowFormattingCells}};
    if (!s->protection.passwordHash.empty()) sj["protection"]["passwordHash"] = s->protection.passwordHash;
    sheets.push_back(std::move(sj));
  }
  j["sheets"] = std::move(sheets);
  try {
    return j.dump(1);
  } catch (const OrderedJson::type_error&) {
    Fail("The workbook cannot be saved: a sheet name or a password is not valid UTF-8.");
  }
}

namespace {

std::string Extension(const std::string& path) { return automation::FoldCase(std::filesystem::path(path).extension().string()); }

}  // namespace

bool IsTemplatePath(const std::string& path) {
  const std::string ext = Extension(path);
  return ext == ".xlt" || ext == ".xltx" || ext == ".xltm";
}

FileKind KindForSave(const std::string& path, std::optional<int> fileFormat) {
  if (fileFormat) return (*fileFormat >= 51 && *fileFormat <= 54) || *fileFormat == 61 ? FileKind::Xlsx : FileKind::StandIn;
  const std::string ext = Extension(path);
  return ext == ".xlsx" || ext == ".xlsm" || ext == ".xltx" || ext == ".xltm" ? FileKind::Xlsx : FileKind::StandIn;
}

bool IsTemplateSave(const std::string& path, std::optional<int> fileFormat) {
  if (fileFormat) return *fileFormat == 17 || *fileFormat == 53 || *fileFormat == 54;
  return IsTemplatePath(path);
}

WorkbookFile ReadWorkbookFile(const std::string& path) {
  std::string text;
  try {
    text = office::ReadWholeFile(path);
  } catch (const office::FileAccessError& e) {
    if (e.kind() == office::FileAccessError::Kind::NotFound)
      Fail("'" + path + "' could not be found. Check the spelling of the file name, and verify that the file location is correct.");
    Fail(std::string("Excel cannot open the file: ") + e.what() + ".");
  }
  if (office::LooksLikeZip(text)) {
    WorkbookFile file = ParseXlsx(text, path);
    file.kind = FileKind::Xlsx;
    return file;
  }
  return ParseWorkbookJson(text, path);
}

void WriteWorkbookFile(BookModel& book, const std::string& path, bool isTemplate, FileKind kind) {
  const std::string content = kind == FileKind::Xlsx ? XlsxContent(book, isTemplate) : WorkbookJson(book, isTemplate);
  try {
    office::ReplaceFile(path, content);
  } catch (const office::FileAccessError& e) {
    Fail(std::string("Cannot access '") + path + "': " + e.what() + ".");
  }
}

}  // namespace excel
