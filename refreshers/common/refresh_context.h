#pragma once
// What one fill routine holds while it runs: the running Excel and Word, the names of the
// workbook and the report it works on, and the report window's find object.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

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

// The objects a routine uses again and again (the sheets it reads, the report's selection, the find
// object) are taken once, when first used, and held for the routine, as a program would hold them;
// a failed taking is tried again at the next use, so that each use fails as it would alone.
struct RefreshContext {
  RefreshContext() = default;
  RefreshContext(Office o, ReportNames n) : office(std::move(o)), names(std::move(n)) {}

  Office office;
  ReportNames names;
  automation::Object find;

  // The sheet of that name of the run's workbook (the workbook by its name, the sheet by name).
  const automation::Object& Sheet(std::string_view name) const;
  // The cell of that sheet by number.
  automation::Variant CellValue(std::string_view sheet, std::int32_t row, std::int32_t column) const;
  // The selection of the active window of the report.
  const automation::Object& Selection() const;
  automation::Object Document() const;

 private:
  mutable std::map<std::string, automation::Object, std::less<>> sheets_;
  mutable automation::Object selection_;
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
