// Cell entry and formula evaluation: each line of the input typed into a cell of A1:A8 in turn,
// as a program writes Range.Value, then every cell read back as value and as shown text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/office/excel/application.h"
#include "platform/runtime/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const automation::Object excel(excel::CreateExcelApplication());
  const automation::Object sheet = excel.obj("Workbooks").call("Add").toObject().obj("Worksheets", 1);
  std::size_t start = 0;
  for (int row = 1; row <= 8 && start <= input.size(); ++row) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    try {
      sheet.obj("Cells", row, 1).put("Formula", input.substr(start, end - start));
    } catch (const runtime::Error&) {
    }
    start = end + 1;
  }
  for (int row = 1; row <= 8; ++row) {
    try {
      sheet.obj("Cells", row, 1).get("Value");
      sheet.obj("Cells", row, 1).get("Text");
    } catch (const runtime::Error&) {
    }
  }
  return 0;
}
