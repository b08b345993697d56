#pragma once
// Copies the data rows of the result summary sheet into one result table of the report, adding
// table rows where the table is shorter than the sheet's data.

#include <cstdint>
#include <string>
#include <string_view>

#include "refreshers/common/refresh_context.h"
#include "refreshers/common/row_range.h"

namespace refreshers {

// The settings of one result table.
struct SummaryTableMember {
  std::int16_t tableIndex;            // among the report's tables, 1-based
  std::string_view goToName;          // passed with the go-to that precedes the fill
  Column ownerColumn;                 // its last non-empty cell marks the last data row
  std::int16_t columnCount;           // sheet columns 1..N go to table columns 1..N
  std::int16_t nonDataRows;           // the header row, and a closing row in some tables
  std::int16_t firstFormattedColumn;  // from it to N through "##,##0.00"; 0 for none
};

// Every step runs with errors ignored; the member reads the run's workbook and writes the run's
// report, whichever is active meanwhile.
void FillSummaryTable(const AttachOffice& attach, const ReportNames& names, const SummaryTableMember& member);

// A formatted column formats the value itself, so a text that is no number stays as it is.
std::string SummaryCellText(const automation::Variant& value, bool formatted);

}  // namespace refreshers
