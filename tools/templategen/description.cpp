#include "tools/templategen/description.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/templategen/formula_references.h"

namespace templategen {
namespace {

struct Reader {
  const std::vector<KeyRow>& keys;
  Workbook workbook;
  Sheet* sheet = nullptr;

  Sheet& current() {
    if (!sheet) throw std::invalid_argument("no sheet selected");
    return *sheet;
  }

  void selectSheet(const std::string& name) {
    sheet = workbook.find(name);
    if (!sheet) {
      workbook.sheets.emplace_back();
      sheet = &workbook.sheets.back();
      sheet->name = name;
    }
  }

  static Cell ParseContent(const std::string& content) {
    Cell cell;
    if (content.empty()) return cell;
    if (content[0] == '=') {
      cell.kind = Cell::Kind::Formula;
      cell.text = content;
      return cell;
    }
    if (content[0] == '\'') {
      cell.kind = Cell::Kind::Text;
      cell.text = content.substr(1);
      return cell;
    }
    double number = 0;
    auto [end, ec] = std::from_chars(content.data(), content.data() + content.size(), number);
    if (ec == std::errc() && end == content.data() + content.size()) {
      cell.kind = Cell::Kind::Number;
      cell.number = number;
      return cell;
    }
    cell.kind = Cell::Kind::Text;
    cell.text = content;
    return cell;
  }

  void setCell(CellAddress at, const std::string& flag, const std::string& content) {
    Cell cell = ParseContent(content);
    if (flag == "u") {
      cell.locked = false;
    } else if (flag == "c") {
      cell.computed = true;
    } else if (flag != ".") {
      throw std::invalid_argument("unknown cell flag " + flag);
    }
    cell.format = current().cells[at].format;
    current().cells[at] = cell;
  }

  void unlock(const CellRange& range) {
    for (int r = range.first.row; r <= range.last.row; ++r)
      for (int c = range.first.column; c <= range.last.column; ++c) current().cells[{c, r}].locked = false;
  }

  void fillKeys(const std::string& list, bool valueSheet) {
    for (const auto& k : keys) {
      if (k.list != list) continue;
      current().cells[k.cell] = ParseContent("'" + k.key);
      auto beside = ColumnsBesideKey(k.cell.column);
      if (valueSheet && beside.name == 0) throw std::invalid_argument("key beside no name column: " + k.key);
      if (beside.name != 0 && !k.name.empty()) current().cells[{beside.name, k.cell.row}] = ParseContent("'" + k.name);
      if (beside.value != 0 && !k.value.empty()) {
        Cell value = ParseContent(k.value);
        value.computed = value.kind == Cell::Kind::Formula;
        current().cells[{beside.value, k.cell.row}] = value;
      }
    }
  }

  void line(const std::filesystem::path& file, const std::string& text) {
    std::istringstream words(text);
    std::string first;
    words >> first;
    std::string rest;
    std::getline(words, rest);
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    if (first == "template") {
      workbook.fileName = rest;
    } else if (first == "include") {
      read(file.parent_path() / rest);
    } else if (first == "sheet" || first == "values") {
      selectSheet(rest);
      if (first == "values") {
        current().isProtected = true;
        fillKeys(rest, true);
      }
    } else if (first == "protect") {
      current().isProtected = true;
    } else if (first == "width") {
      std::istringstream w(rest);
      std::string columns;
      double width = 0;
      if (!(w >> columns >> width)) throw std::invalid_argument("width COLS W");
      auto colon = columns.find(':');
      int from = ParseColumn(columns.substr(0, colon));
      int to = colon == std::string::npos ? from : ParseColumn(columns.substr(colon + 1));
      for (int c = from; c <= to; ++c) current().columnWidths[c] = width;
    } else if (first == "print") {
      ParseRange(rest);
      current().printArea = rest;
    } else if (first == "table") {
      std::istringstream t(rest);
      int from = 0, to = 0;
      if (!(t >> from >> to) || from < 2 || to < from) throw std::invalid_argument("table FIRST LAST");
      current().table = std::pair{from, to};
    } else if (first == "unlock") {
      unlock(ParseRange(rest));
    } else if (first == "format") {
      auto space = rest.find(' ');
      if (space == std::string::npos) throw std::invalid_argument("format RANGE PATTERN");
      auto range = ParseRange(rest.substr(0, space));
      for (int r = range.first.row; r <= range.last.row; ++r)
        for (int c = range.first.column; c <= range.last.column; ++c) current().cells[{c, r}].format = rest.substr(space + 1);
    } else if (first == "keys") {
      fillKeys(rest, false);
    } else if (first == "active") {
      workbook.activeSheet = rest;
    } else {
      std::istringstream c(rest);
      std::string flag;
      c >> flag;
      std::string content;
      std::getline(c, content);
      if (!content.empty() && content[0] == ' ') content.erase(0, 1);
      setCell(ParseAddress(first), flag, content);
    }
  }

  void read(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
      if (text.empty() || text[0] == '#') continue;
      try {
        line(file, text);
      } catch (const std::invalid_argument& e) {
        throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": " + e.what());
      }
    }
  }
};

}  // namespace

Workbook ReadWorkbookDescription(const std::filesystem::path& file, const std::vector<KeyRow>& keys) {
  Reader reader{keys, {}, nullptr};
  reader.read(file);
  if (reader.workbook.fileName.empty()) throw std::runtime_error(file.string() + ": no template name");
  return std::move(reader.workbook);
}

void AppendTemplateBlocks(Workbook& workbook) {
  for (auto& sheet : workbook.sheets) {
    if (!sheet.table) continue;
    auto [first, last] = *sheet.table;
    int height = last - first + 1;
    std::vector<std::pair<CellAddress, Cell>> copies;
    for (const auto& [at, cell] : sheet.cells) {
      if (at.row < first || at.row > last) continue;
      Cell copy = cell;
      if (copy.kind == Cell::Kind::Formula) copy.text = BlockFormula(copy.text, height);
      copies.push_back({{at.column, at.row + height}, copy});
    }
    for (auto& [at, cell] : copies) sheet.cells[at] = cell;
    sheet.hiddenRows.push_back({{1, last + 1}, {1, last + height}});
  }
}

}  // namespace templategen
