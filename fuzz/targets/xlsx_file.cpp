// The .xlsx reader on any bytes, then every cell of what it read computed and the workbook
// written back, as opening and saving do.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/office/excel/xlsx_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const excel::WorkbookFile file = excel::ParseXlsx(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xlsx");
    for (const auto& sheet : file.book->sheets())
      for (const auto& [row, cells] : sheet->cells.rows())
        for (const auto& [column, cell] : cells.cells) file.book->ValueAt(sheet->id, row, column);
    excel::XlsxContent(*file.book, file.isTemplate);
  } catch (const runtime::Error&) {
  }
  return 0;
}
