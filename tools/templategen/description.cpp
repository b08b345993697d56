#include "tools/templategen/description.h"

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "tools/templategen/formula_references.h"

namespace templategen {
namespace {

constexpr double kTitleSize = 16;
constexpr double kTitleRowHeight = 30;

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
    cell.look = current().cells[at].look;
    current().cells[at] = cell;
  }

  template <class Change>
  void forEachCell(const CellRange& range, Change&& change) {
    for (int r = range.first.row; r <= range.last.row; ++r)
      for (int c = range.first.column; c <= range.last.column; ++c) change(current().cells[{c, r}]);
  }

  void unlock(const CellRange& range) {
    forEachCell(range, [](Cell& cell) { cell.locked = false; });
  }

  void merge(const CellRange& range) {
    for (const CellRange& m : current().merges)
      if (m.first.row <= range.last.row && m.last.row >= range.first.row && m.first.column <= range.last.column &&
          m.last.column >= range.first.column)
        throw std::invalid_argument("merged areas overlap");
    current().merges.push_back(range);
  }

  // The looks: false when `directive` is none of them.
  bool look(const std::string& directive, const std::string& rangeText) {
    using Change = void (*)(Look&);
    static const std::map<std::string, Change> kLooks = {
        {"box", [](Look& l) { l.boxed = true; }},
        {"heading", [](Look& l) { l.heading = l.bold = true; }},
        {"bold", [](Look& l) { l.bold = true; }},
        {"center", [](Look& l) { l.center = true; }},
        {"wrap", [](Look& l) { l.wrap = true; }},
        {"merge", [](Look&) {}},
        {"title",
         [](Look& l) {
           l.bold = l.center = true;
           l.size = kTitleSize;
         }},
    };
    const auto it = kLooks.find(directive);
    if (it == kLooks.end()) return false;
    const CellRange range = ParseRange(rangeText);
    forEachCell(range, [&](Cell& cell) { it->second(cell.look); });
    if (directive == "merge" || directive == "title") merge(range);
    if (directive == "title") current().rowHeights[range.first.row] = kTitleRowHeight;
    return true;
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
    } else if (look(first, rest)) {
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
    const std::vector<CellRange> merges = sheet.merges;
    for (const CellRange& m : merges)
      if (m.first.row >= first && m.last.row <= last)
        sheet.merges.push_back({{m.first.column, m.first.row + height}, {m.last.column, m.last.row + height}});
    const std::map<int, double> heights = sheet.rowHeights;
    for (const auto& [row, points] : heights)
      if (row >= first && row <= last) sheet.rowHeights[row + height] = points;
    sheet.hiddenRows.push_back({{1, last + 1}, {1, last + height}});
  }
}

}  // namespace templategen
