// The case database provider's command texts: read against the house table, and every like
// pattern turned into SQLite's. A text it does not read is an error, never anything else.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/casetables/house_case_table.h"
#include "platform/data/command_text.h"
#include "platform/runtime/error.h"

namespace {

std::optional<std::vector<std::string>> HouseTable(const std::string& name, std::string& table) {
  if (name != "Table1") return std::nullopt;
  table = name;
  std::vector<std::string> columns;
  for (const auto& column : casetables::kHouseColumns) columns.emplace_back(column.name);
  return columns;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const data::CommandType type : {data::CommandType::Text, data::CommandType::Table, data::CommandType::Unknown}) {
    try {
      data::ReadCommand(type, text, HouseTable);
    } catch (const runtime::Error&) {
    }
  }
  try {
    data::ToSqliteLike(text);
  } catch (const runtime::Error&) {
  }
  return 0;
}
