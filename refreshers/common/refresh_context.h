#pragma once
// What one fill routine holds while it runs: the running Excel and Word, the names of the
// workbook and the report it works on, and the report window's find object.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"

namespace refreshers {

struct Office {
  automation::Object excel;
  automation::Object word;
};

// Gets the running Excel and Word (never creates either); every fill routine attaches again.
using AttachOffice = std::function<Office()>;

// The workbook and the document a run works on, captured once by the run's first routine:
// a user who activates another workbook or document meanwhile does not redirect the run.
struct ReportNames {
  std::string workbook;
  std::string document;
};

struct RefreshContext {
  Office office;
  ReportNames names;
  automation::Object find;
  automation::Object replacement;  // the find object's replacement, part of it

  // Addressed afresh on every use: the workbook by its name, the sheet by name, the cell by number.
  automation::Variant CellValue(std::string_view sheet, std::int32_t row, std::int32_t column) const;
  // The selection of the active window of the report.
  automation::Object Selection() const;
  automation::Object Document() const;
};

// Attaches and captures the names of the active workbook and document.
RefreshContext CaptureContext(const AttachOffice& attach);
// Attaches again for a later routine of the same run, which keeps the run's names.
RefreshContext ResumeContext(const AttachOffice& attach, ReportNames names);

// Makes every placeholder field show its key again and leaves an insertion point at the start of
// the main text; then takes the find object.
void RefreshPrelude(RefreshContext& context);
// Takes the selection's find object with Word's default matching, so that a search the user made
// with other options (case, whole words, wildcards, formatting) cannot change what a key matches.
// The wrap setting stays as the user left it.
void TakeFind(RefreshContext& context);

}  // namespace refreshers
