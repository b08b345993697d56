#pragma once
// What each refresher reads: the key ranges of its row tables, in order, with their format class,
// and the report template it fills.
#include <ostream>
#include <regex>
#include <string>
#include <vector>

namespace datatest {

enum class Format { Raw, Formatted };

// One row range a refresher reads: sheet, key column, rows, and whether a number pattern applies.
struct ReadRange {
  std::string sheet;
  char keyColumn;
  int first, last;
  Format format;
};

struct ReadSet {
  std::string workbook;
  std::string report;
  std::vector<ReadRange> ranges;
};
void PrintTo(const ReadSet& s, std::ostream* os);

const std::vector<ReadSet>& ReadSets();
// "_" + two capitals + three digits + "_".
const std::regex& KeyShape();

}  // namespace datatest
