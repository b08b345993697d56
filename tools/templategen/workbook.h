#pragma once
// The in-memory model of a workbook template, built from its description.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/templategen/cell_address.h"

namespace templategen {

// The passwords the programs protect and unprotect with.
inline constexpr const char* kWorksheetPassword = "19970314,kqd.,xtr,.pzfw.,hnqe,ty.wqzqzqzq";
inline constexpr const char* kWorkbookPassword = "19860722,p.,p.,..<>?<>?<.?<?.;413627";

// How a cell looks beyond its number format. Its fill follows from what it is: computed cells,
// headings and the locked cells of a table each have their colour; cells the user types into
// have none.
struct Look {
  bool bold = false;
  double size = 0;  // font size in points; 0 is the standard size
  bool center = false;
  bool wrap = false;
  bool boxed = false;    // thin lines on all four sides: a cell of a table
  bool heading = false;  // a heading row of a table
};

struct Cell {
  enum class Kind { Empty, Text, Number, Formula };
  Kind kind = Kind::Empty;
  std::string text;  // text, or formula text starting with "="
  double number = 0;
  bool locked = true;
  bool computed = false;  // shown with the fill colour of computed cells
  std::string format;     // Excel number format; display only
  Look look;
};

struct Sheet {
  std::string name;
  bool isProtected = false;
  std::map<int, double> columnWidths;
  std::vector<CellRange> hiddenRows;  // whole rows first.row..last.row
  std::string printArea;
  std::optional<std::pair<int, int>> table;  // rows of table 1; the hidden template block follows it
  std::map<CellAddress, Cell> cells;
  std::vector<CellRange> merges;
  std::map<int, double> rowHeights;  // points, by row
};

struct Workbook {
  std::string fileName;
  std::vector<Sheet> sheets;
  std::string activeSheet;

  Sheet* find(const std::string& name);
};

}  // namespace templategen
