#pragma once
// What the case query's tests share: the workbench's window test fixture, a market workbook, and
// the window with its search.

#include <string>
#include <vector>

#include "workbench/casequery/case_query_window.h"
#include "workbench/shell/windows_test_support.h"

namespace casequery_testing {

// 参数 with the marker, 市场法计算表 with three tables (unprotected unless asked), and 说明.
inline shell_testing::json MarketWorkbook(const std::string& activeSheet = "市场法计算表", bool protect = false) {
  shell_testing::json market = {{"name", "市场法计算表"}, {"cells", {{"D1", {{"value", 3}}}}}};
  if (protect) market["protection"] = {{"password", "x"}};
  return {{"activeSheet", activeSheet},
          {"sheets",
           {{{"name", "参数"}, {"cells", {{"A1", {{"value", workbench::kMarkerText}}}}}},
            market,
            {{"name", "说明"}, {"cells", shell_testing::json::object()}}}}};
}

class CaseQueryTest : public shell_testing::OfficeTest {
 protected:
  static 案例查询& Window() { return ui::Default<案例查询>(); }

  // The building names the grid shows after a search.
  static std::vector<std::string> Search(const std::string& label, const std::string& typed) {
    案例查询& w = Window();
    w.Combo1.ScriptClear();
    w.Combo1.ScriptType(label);
    w.Text1.ScriptClear();
    w.Text1.ScriptType(typed);
    w.Command1_Click();
    std::vector<std::string> names;
    for (int row = 1; row <= w.DataGrid1.ApproxCount(); ++row) names.push_back(w.DataGrid1.Text(row, 1));
    return names;
  }
  std::string Cell(const std::string& address) const {
    return xl.obj("ActiveWorkbook").obj("Worksheets", "市场法计算表").obj("Range", address).get("Text").toText();
  }
};

}  // namespace casequery_testing
