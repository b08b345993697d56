#include "tools/templategen/workbook_file.h"

#include <fstream>
#include <stdexcept>

namespace templategen {
namespace {

// Light yellow: the fill of cells the workbook computes (locked). The stand-in keeps no cell
// colours yet and skips the member; Excel templates carry it as the cells' interior colour.
constexpr const char* kComputedFill = "#FFF2CC";

nlohmann::json CellJson(const Cell& cell) {
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
  if (cell.computed) j["fill"] = kComputedFill;
  if (!cell.format.empty()) j["format"] = cell.format;
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
    auto c = CellJson(cell);
    if (!c.empty()) cells[AddressText(at)] = c;
  }
  j["cells"] = cells;
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
