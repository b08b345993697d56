#include "data/tests/generated_workbook.h"

#include <fstream>
#include <stdexcept>

namespace datatest {

std::string ProgramFolder() { return QORVANE_BIN_DIR; }

std::string Address(int column, int row) { return templategen::AddressText({column, row}); }

const nlohmann::json* GeneratedSheet::cell(const std::string& address) const {
  auto& cells = json.at("cells");
  auto it = cells.find(address);
  return it == cells.end() ? nullptr : &*it;
}

std::string GeneratedSheet::content(const std::string& address) const {
  auto* c = cell(address);
  if (!c) return "";
  if (c->contains("formula")) return c->at("formula").get<std::string>();
  if (!c->contains("value")) return "";
  auto& v = c->at("value");
  if (v.is_string()) return v.get<std::string>();
  return v.dump();
}

bool GeneratedSheet::isFormula(const std::string& address) const {
  auto* c = cell(address);
  return c && c->contains("formula");
}

bool GeneratedSheet::locked(const std::string& address) const {
  auto* c = cell(address);
  return !c || c->value("locked", true);
}

bool GeneratedSheet::coloured(const std::string& address) const {
  auto* c = cell(address);
  return c && c->contains("fill");
}

bool GeneratedSheet::rowHidden(int row) const {
  for (auto& r : json.at("hiddenRows")) {
    auto text = r.get<std::string>();
    auto colon = text.find(':');
    if (row >= std::stoi(text.substr(0, colon)) && row <= std::stoi(text.substr(colon + 1))) return true;
  }
  return false;
}

int GeneratedSheet::lastRow() const {
  int last = 0;
  for (auto& [address, c] : json.at("cells").items())
    if (c.contains("value") || c.contains("formula")) last = std::max(last, templategen::ParseAddress(address).row);
  return last;
}

std::vector<std::string> GeneratedSheet::addresses() const {
  std::vector<std::string> all;
  for (auto& [address, c] : json.at("cells").items()) all.push_back(address);
  return all;
}

GeneratedWorkbook GeneratedWorkbook::Load(const std::string& fileName) {
  std::ifstream in(ProgramFolder() + "/" + fileName);
  if (!in) throw std::runtime_error("missing " + fileName);
  GeneratedWorkbook w;
  w.json = nlohmann::json::parse(in);
  for (auto& s : w.json.at("sheets")) w.sheets.push_back({s.at("name").get<std::string>(), s});
  return w;
}

const GeneratedSheet& GeneratedWorkbook::sheet(const std::string& name) const {
  for (auto& s : sheets)
    if (s.name == name) return s;
  throw std::runtime_error("no sheet " + name);
}

std::vector<std::string> GeneratedWorkbook::sheetNames() const {
  std::vector<std::string> names;
  for (auto& s : sheets) names.push_back(s.name);
  return names;
}

}  // namespace datatest
