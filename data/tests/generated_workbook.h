#pragma once
// Read access to a generated workbook template in the program folder, for the layout tests.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/templategen/cell_address.h"

namespace datatest {

std::string ProgramFolder();

struct GeneratedSheet {
  std::string name;
  nlohmann::json json;

  const nlohmann::json* cell(const std::string& address) const;
  // The formula text, the text of a constant, or "" for an empty cell.
  std::string content(const std::string& address) const;
  bool isFormula(const std::string& address) const;
  bool locked(const std::string& address) const;
  bool coloured(const std::string& address) const;
  bool rowHidden(int row) const;
  int lastRow() const;
  std::vector<std::string> addresses() const;
};

struct GeneratedWorkbook {
  std::vector<GeneratedSheet> sheets;
  nlohmann::json json;

  static GeneratedWorkbook Load(const std::string& fileName);
  const GeneratedSheet& sheet(const std::string& name) const;
  std::vector<std::string> sheetNames() const;
};

std::string Address(int column, int row);

}  // namespace datatest
