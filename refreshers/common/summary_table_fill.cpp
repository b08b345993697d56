#include "refreshers/common/summary_table_fill.h"

#include "refreshers/common/connection_guard.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/runtime/number_format.h"
#include "refreshers/common/sheet_names.h"

namespace refreshers {

using automation::Named;
using automation::Object;
using automation::Path;
using automation::Variant;
using runtime::Int16;

namespace {
constexpr std::int32_t kUp = 3;
constexpr std::int32_t kGoToTable = 2;
constexpr std::int16_t kHeaderRows = 7;  // sheet row r goes to table row r - 6
}  // namespace

std::string SummaryCellText(const Variant& value, bool formatted) {
  if (!formatted || value.isEmpty()) return value.toText();
  double number = 0;
  try {
    number = value.toDouble();
  } catch (const automation::Error&) {
    if (value.isText()) return value.toText();
    throw;
  }
  return runtime::FormatNumber(number, kMoney);
}

void FillSummaryTable(const AttachOffice& attach, const ReportNames& names, const SummaryTableMember& member) {
  SkipFailedSteps step;
  RefreshContext context({}, names);
  step([&] { context.office = attach(); });

  Int16 lastRow = 0;
  step([&] {
    const Object& sheet = context.Sheet(kSummarySheet);
    const Variant bottom = Path(sheet).to("Rows").get("Count");
    lastRow = Path(sheet).to("Cells", bottom, member.ownerColumn).to("End", kUp).get("Row").toInt16();
  });
  Int16 needed = 0;
  step([&] { needed = lastRow - Int16(kHeaderRows); });

  Object table;
  Int16 present = 0;
  step([&] { table = context.Document().obj("Tables", member.tableIndex); });
  step([&] { present = Int16(Path(table).to("Rows").get("Count").toInt16()) - Int16(member.nonDataRows); });
  Int16 difference = 0;
  step([&] { difference = present - needed; });

  step([&] { context.Selection().call("GoTo", Named("What", kGoToTable), Named("Name", member.goToName)); });
  // One step: when row 2 of this table cannot be selected, nothing is inserted anywhere else.
  if (difference < 0) {
    step([&] {
      Path(table).to("Rows", 2).call("Select");
      context.Selection().call("InsertRowsBelow", (Int16(0) - difference).value());
    });
  }

  for (std::int32_t row = kHeaderRows + 1; row <= lastRow; ++row) {
    for (std::int32_t column = 1; column <= member.columnCount; ++column) {
      step([&] {
        const bool formatted = member.firstFormattedColumn != 0 && column >= member.firstFormattedColumn;
        const std::string text = SummaryCellText(context.CellValue(kSummarySheet, row, column), formatted);
        Path(table).to("Cell", row - (kHeaderRows - 1), column).to("Range").put("Text", text);
      });
    }
  }
}

}  // namespace refreshers
