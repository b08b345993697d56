#pragma once
// Writes a workbook model in the stand-in Excel's workbook file format (JSON).
#include <filesystem>

#include <nlohmann/json.hpp>

#include "tools/templategen/workbook.h"

namespace templategen {

nlohmann::json WorkbookJson(const Workbook& workbook);
void WriteWorkbookFile(const Workbook& workbook, const std::filesystem::path& file);

}  // namespace templategen
