#pragma once
// The placeholder keys: the one list that the workbook and the report templates share.
#include <filesystem>
#include <string>
#include <vector>

#include "tools/templategen/cell_address.h"

namespace templategen {

struct KeyRow {
  std::string key;
  std::string list;    // the value sheet's name, or 房屋汇总 / 土地汇总 for the result summary
  CellAddress cell;    // the key cell
  std::string format;  // raw, money, integer, percent, dec4, or unread (listed, never refreshed)
  std::string name;    // display name; empty beside the result summary
  std::string value;   // constant or formula of the value cell; empty where the sheet computes it
};

// Reads the tab-separated key list; throws std::runtime_error naming the line on a malformed row.
std::vector<KeyRow> ReadKeys(const std::filesystem::path& file);

// Where a key cell's name and value stand: A→B,C; H→G,I; Q→-,S. Column 0 when there is none.
struct KeyColumns {
  int name = 0;
  int value = 0;
};
KeyColumns ColumnsBesideKey(int keyColumn);

}  // namespace templategen
