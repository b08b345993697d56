#pragma once
// The replacement step and the run of a row table: every occurrence of a row's key in the
// report's main text becomes the row's value.

#include <cstdint>

#include "refreshers/common/refresh_context.h"
#include "refreshers/common/row_range.h"

namespace refreshers {

enum class OnError {
  Stop,     // the first failure ends the routine; the replacements made so far stay
  SkipRow,  // a row that fails anywhere is skipped as a whole, its key left in the report
};

// Reads the row's key and value, formats the value and replaces every occurrence of the key
// from the insertion point on. Find and replacement texts are read with Word's "^" codes, so a
// "^" of a key or a value is written "^^". The texts go to the find object as arguments of the
// replace-all, which makes them its own as setting them would.
void ReplacementStep(const RefreshContext& context, const RowRange& range, std::int16_t row);

void RunRowTable(const RefreshContext& context, RowTable table, OnError mode);

}  // namespace refreshers
