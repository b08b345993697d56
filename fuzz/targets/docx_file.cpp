// The .docx reader on any bytes, and what it read written back, as opening and saving do.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/office/word/docx_file.h"
#include "platform/office/zip_package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const office::word::DocumentContent document =
        office::word::ReadDocx(std::string_view(reinterpret_cast<const char*>(data), size));
    office::word::WriteDocx(document, false);
  } catch (const office::PackageError&) {
  }
  return 0;
}
