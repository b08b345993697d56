#pragma once
// House case databases for the tests and the benchmark: Table1 with the 29 columns of "db.mdb",
// written under a temporary name and renamed, so that processes running side by side never see a
// half-written file.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace casequery_testing {

using Row = std::vector<std::optional<std::string>>;

// Rows 1 to count, each made by row(number).
void WriteHouseCases(const std::string& path, int count, const std::function<Row(int)>& row);

}  // namespace casequery_testing
