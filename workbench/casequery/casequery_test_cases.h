#pragma once
// The cases of the test database: each field holds "字段名-序号" unless a case says otherwise, so
// that a test sees which field went where.

#include <optional>
#include <string>
#include <vector>

#include "common/casetables/house_case_table.h"
#include "workbench/casequery/house_case_fixture.h"

namespace casequery_testing {

inline Row CaseRow(int number, const std::string& name, const std::string& price) {
  Row row;
  for (const auto& column : casetables::kHouseColumns) row.push_back(std::string(column.name) + "-" + std::to_string(number));
  row[0] = std::to_string(number);
  row[1] = name;
  row[2] = price;
  return row;
}

inline std::vector<Row> Cases() {
  std::vector<Row> rows = {CaseRow(1, "花园小区", "12"),     CaseRow(2, "花园新村", "1200"), CaseRow(3, "滨江花园", "312"),
                           CaseRow(4, "100%花园", "12500"),  CaseRow(5, "O'Brien公寓", "800"),
                           CaseRow(6, "无名", "900"),          CaseRow(7, "a_b大厦", "1")};
  rows[5][1] = std::nullopt;  // a case without a building name
  rows[5][6] = std::nullopt;
  return rows;
}

}  // namespace casequery_testing
