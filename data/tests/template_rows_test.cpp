// What a person reads on the templates' sheets: every link stands in the row (or under the
// heading) of the thing it brings, and every label beside a filled cell shows whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "data/tests/generated_workbook.h"
#include "tools/templategen/cell_address.h"

namespace datatest {
namespace {

using templategen::CellAddress;

std::vector<std::string> WorkbookTemplates() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder()))
    if (entry.path().extension() == ".xlt") names.push_back(entry.path().filename().string());
  return names;
}

std::vector<char32_t> CodePoints(const std::string& text) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    char32_t point = length == 1 ? byte : byte & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < text.size(); ++k) point = point << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    points.push_back(point);
    i += length;
  }
  return points;
}

std::set<char32_t> Ideographs(const std::string& text) {
  std::set<char32_t> out;
  for (char32_t c : CodePoints(text))
    if (c >= 0x4E00 && c <= 0x9FFF) out.insert(c);
  return out;
}

// A text that a person reads as a label: not a formula, not a number.
bool IsLabel(const GeneratedSheet& sheet, CellAddress at) {
  if (at.column < 1 || at.row < 1) return false;
  const std::string address = Address(at.column, at.row);
  const nlohmann::json* cell = sheet.cell(address);
  return cell != nullptr && !sheet.isFormula(address) && cell->contains("value") && cell->at("value").is_string() &&
         !Ideographs(sheet.content(address)).empty();
}

// The nearest label above the cell in its column: its heading.
std::string Heading(const GeneratedSheet& sheet, CellAddress cell) {
  for (int row = cell.row - 1; row >= 1; --row)
    if (IsLabel(sheet, {cell.column, row})) return sheet.content(Address(cell.column, row));
  return "";
}

// Below the heading 估价对象 of a comparison table, in its column, within the same calculation
// table (each begins with its number label).
bool InSubjectColumn(const GeneratedSheet& sheet, CellAddress cell) {
  std::set<int> tableStarts;
  for (const std::string& address : sheet.addresses())
    if (sheet.content(address).starts_with("计算表编号")) tableStarts.insert(templategen::ParseAddress(address).row);
  for (int row = cell.row - 1; row >= 1; --row) {
    if (sheet.content(Address(cell.column, row)) == "估价对象") return true;
    if (tableStarts.count(row) != 0) return false;
  }
  return false;
}

// What names a cell: the nearest label to its left, its row's first label, its heading.
std::vector<std::string> Labels(const GeneratedSheet& sheet, CellAddress cell) {
  std::vector<std::string> labels;
  for (int column = cell.column - 1; column >= 1; --column)
    if (IsLabel(sheet, {column, cell.row})) {
      labels.push_back(sheet.content(Address(column, cell.row)));
      break;
    }
  if (cell.column > 1 && IsLabel(sheet, {1, cell.row})) labels.push_back(sheet.content(Address(1, cell.row)));
  if (const std::string heading = Heading(sheet, cell); !heading.empty()) labels.push_back(heading);
  return labels;
}

std::string Joined(const std::vector<std::string>& labels) {
  std::string out;
  for (const std::string& label : labels) out += (out.empty() ? "" : " / ") + label;
  return out.empty() ? "(nothing)" : out;
}

// Two labels name the same thing when they share a word's character, or both name a date (the
// subject's date of a case row is the value date).
bool SameThing(const std::string& a, const std::string& b) {
  const std::set<char32_t> x = Ideographs(a), y = Ideographs(b);
  for (char32_t c : x)
    if (y.count(c) != 0) return true;
  static const std::regex date("日期|时间|时点|期日");
  return std::regex_search(a, date) && std::regex_search(b, date);
}

// A case row compares one factor of the subject and the cases: in the subject's column a link brings the subject's factor from elsewhere, and must bring the row's factor.
TEST(TemplateRows, EveryCaseRowsLinkBringsTheFactorOfItsRow) {
  static const std::regex link(R"(^=(?:'?([^'!]+)'?!)?\$?([A-Z]+)\$?(\d+)(&"")?$)");
  int checked = 0;
  for (const std::string& name : WorkbookTemplates()) {
    const GeneratedWorkbook book = GeneratedWorkbook::Load(name);
    for (const GeneratedSheet& sheet : book.sheets)
      for (const std::string& address : sheet.addresses()) {
        std::smatch m;
        const std::string formula = sheet.content(address);
        const CellAddress at = templategen::ParseAddress(address);
        if (!sheet.isFormula(address) || !std::regex_match(formula, m, link) || !IsLabel(sheet, {1, at.row}) ||
            !InSubjectColumn(sheet, at))
          continue;
        const std::string factor = sheet.content(Address(1, at.row));
        const GeneratedSheet& source = m[1].matched ? book.sheet(m[1].str()) : sheet;
        const std::vector<std::string> brought = Labels(source, templategen::ParseAddress(m[2].str() + m[3].str()));
        EXPECT_TRUE(std::any_of(brought.begin(), brought.end(), [&](const std::string& b) { return SameThing(factor, b); }))
            << name << " " << sheet.name << "!" << address << " " << formula << ": the row of " << factor
            << " brings what is named " << Joined(brought);
        ++checked;
      }
  }
  EXPECT_GE(checked, 20);
}

TEST(TemplateRows, TheMarketSheetsAreaRowTakesTheSubjectsArea) {
  const GeneratedWorkbook book = GeneratedWorkbook::Load("市场法.xlt");
  const GeneratedSheet& sheet = book.sheet("市场法计算表");
  EXPECT_EQ(sheet.content("A26"), "新旧程度");
  EXPECT_EQ(sheet.content("C26"), "");
  EXPECT_EQ(sheet.content("A27"), "面积");
  EXPECT_EQ(sheet.content("C27"), "=H4");
  EXPECT_EQ(sheet.content("H3"), "建筑面积（㎡）");
}

// Excel's column width counts characters of the standard font; a Chinese character takes two.
double ShownWidth(const std::string& text) {
  double width = 0;
  for (char32_t c : CodePoints(text)) width += c < 0x1100 ? 1 : 2;
  return width;
}

double ColumnWidth(const GeneratedSheet& sheet, int column) {
  const auto& widths = sheet.json.at("columnWidths");
  const auto it = widths.find(templategen::ColumnName(column));
  return it == widths.end() ? 8.38 : it->get<double>();
}

// A text runs on into the next cell only while that cell is empty.
TEST(TemplateRows, ALabelBesideAFilledCellFitsItsColumn) {
  for (const std::string& name : WorkbookTemplates())
    for (const GeneratedSheet& sheet : GeneratedWorkbook::Load(name).sheets)
      for (const std::string& address : sheet.addresses()) {
        const CellAddress at = templategen::ParseAddress(address);
        if (!IsLabel(sheet, at) || sheet.content(Address(at.column + 1, at.row)).empty()) continue;
        EXPECT_LE(ShownWidth(sheet.content(address)), ColumnWidth(sheet, at.column))
            << name << " " << sheet.name << "!" << address << " " << sheet.content(address);
      }
}

}  // namespace
}  // namespace datatest
