// The document file reader, on any bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/office/word/document_file.h"
#include "platform/runtime/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    office::word::ParseDocumentJson(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.doc");
  } catch (const runtime::Error&) {
  }
  return 0;
}
