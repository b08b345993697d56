#include "tools/templategen/workbook_file.h"

#include <fstream>
#include <stdexcept>

namespace templategen {
namespace {

// The colours that tell the user what may be typed: none for input cells, light yellow for the
// cells the workbook computes, grey for the other locked cells of a table on a protected sheet,
// light blue for its headings.
constexpr const char* kComputedFill = "#FFF2CC";
constexpr const char* kLockedFill = "#F2F2F2";
constexpr const char* kHeadingFill = "#DDEBF7";

void LookJson(const Cell& cell, bool sheetProtected, nlohmann::json& j) {
  const Look& look = cell.look;
  if (cell.computed) j["fill"] = kComputedFill;
  else if (look.heading && cell.locked) j["fill"] = kHeadingFill;
  else if (look.boxed && cell.locked && sheetProtected) j["fill"] = kLockedFill;
  if (look.bold) j["font"]["bold"] = true;
  if (look.size != 0) j["font"]["size"] = look.size;
  if (look.center) j["align"] = "center";
  if (look.center || look.wrap) j["valign"] = "center";
  if (look.wrap) j["wrap"] = true;
  if (look.boxed) j["borders"] = {{"left", "thin"}, {"top", "thin"}, {"right", "thin"}, {"bottom", "thin"}};
}

std::string RangeText(const CellRange& range) { return AddressText(range.first) + ":" + AddressText(range.last); }

nlohmann::json CellJson(const Cell& cell, bool sheetProtected) {
  nlohmann::json j = nlohmann::json::object();
  switch (cell.kind) {
    case Cell::Kind::Empty: break;
    case Cell::Kind::Text: j["value"] = cell.text; break;
    case Cell::Kind::Number:
      if (cell.number == static_cast<double>(static_cast<long long>(cell.number))) {
        j["value"] = static_cast<long long>(cell.number);
      } else {
        j["value"] = cell.number;
      }
      break;
    case Cell::Kind::Formula: j["formula"] = cell.text; break;
  }
  if (!cell.locked) j["locked"] = false;
  if (!cell.format.empty()) j["format"] = cell.format;
  LookJson(cell, sheetProtected, j);
  return j;
}

nlohmann::json SheetJson(const Sheet& sheet) {
  nlohmann::json j;
  j["name"] = sheet.name;
  if (sheet.isProtected) {
    j["protection"] = {{"password", kWorksheetPassword},
                       {"drawingObjects", true},
                       {"contents", true},
                       {"scenarios", true},
                       {"allowFormattingCells", true}};
  }
  nlohmann::json widths = nlohmann::json::object();
  for (auto [column, width] : sheet.columnWidths) widths[ColumnName(column)] = width;
  j["columnWidths"] = widths;
  nlohmann::json hidden = nlohmann::json::array();
  for (const auto& r : sheet.hiddenRows) hidden.push_back(std::to_string(r.first.row) + ":" + std::to_string(r.last.row));
  j["hiddenRows"] = hidden;
  if (!sheet.printArea.empty()) j["printArea"] = sheet.printArea;
  nlohmann::json cells = nlohmann::json::object();
  for (const auto& [at, cell] : sheet.cells) {
    auto c = CellJson(cell, sheet.isProtected);
    if (!c.empty()) cells[AddressText(at)] = c;
  }
  j["cells"] = cells;
  if (!sheet.merges.empty()) {
    nlohmann::json merges = nlohmann::json::array();
    for (const CellRange& m : sheet.merges) merges.push_back(RangeText(m));
    j["merges"] = merges;
  }
  if (!sheet.rowHeights.empty()) {
    nlohmann::json heights = nlohmann::json::object();
    for (const auto& [row, points] : sheet.rowHeights) heights[std::to_string(row)] = points;
    j["rowHeights"] = heights;
  }
  return j;
}

}  // namespace

nlohmann::json WorkbookJson(const Workbook& workbook) {
  nlohmann::json j;
  j["template"] = true;  // every workbook the system ships opens as a new workbook based on it
  j["activeSheet"] = workbook.activeSheet.empty() && !workbook.sheets.empty() ? workbook.sheets.front().name
                                                                              : workbook.activeSheet;
  nlohmann::json sheets = nlohmann::json::array();
  for (const auto& s : workbook.sheets) sheets.push_back(SheetJson(s));
  j["sheets"] = sheets;
  return j;
}

void WriteWorkbookFile(const Workbook& workbook, const std::filesystem::path& file) {
  std::ofstream out(file, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + file.string());
  out << WorkbookJson(workbook).dump(1) << '\n';
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace templategen
