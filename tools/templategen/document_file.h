#pragma once
// Writes a document model in the stand-in Word's document file format (JSON).
#include <filesystem>

#include <nlohmann/json.hpp>

#include "tools/templategen/document.h"

namespace templategen {

nlohmann::json DocumentJson(const Document& document);
void WriteDocumentFile(const Document& document, const std::filesystem::path& file);

}  // namespace templategen
