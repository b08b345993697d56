// The case database programs as processes: started from Estivo's menu, scripted on their own, and
// a case added in Hausdex found by Estivo's case query.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

const nlohmann::json kHausdexShown = {{"event", "form"}, {"program", "Hausdex"}, {"form", "Form1"}, {"action", "shown"}};

TEST(CaseDatabase, EstivosMenuStartsHausdexWithoutItsScript) {
  Case c;
  const pid_t estivo = c.Start("Estivo", "menu", std::string("menu gongjulan.房屋交易案例查询服务 1\n") + kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  EXPECT_TRUE(c.WaitForLog("menu", kHausdexShown));
  EXPECT_EQ(Count(c.Log("menu"), {{"event", "script-error"}}), 0);
}

TEST(CaseDatabase, BothProgramsShowTheirCountsAndTheWheelMovesTheCurrentCase) {
  Case c;
  const std::string script =
      "dump Form1.StatusBar1\nwheel Form1.DataGrid1 down\nwheel Form1.DataGrid1 down\ndump Form1.DataGrid1\n"
      "toolbar Form1.Toolbar1 close\n";
  const pid_t hausdex = c.Start("Hausdex", "hausdex", script);
  const pid_t plotdex = c.Start("Plotdex", "plotdex", script);
  EXPECT_EQ(c.WaitForEnd(hausdex), 0);
  EXPECT_EQ(c.WaitForEnd(plotdex), 0);
  EXPECT_EQ(Count(c.Log("hausdex"), {{"event", "dump"}, {"items", {"     共查出：80 条"}}}), 1);
  EXPECT_EQ(Count(c.Log("hausdex"), {{"event", "dump"}, {"control", "DataGrid1"}, {"row", 3}}), 1);
  EXPECT_EQ(Count(c.Log("plotdex"), {{"event", "form"}, {"form", "Form1"}, {"action", "shown"}}), 1);
  EXPECT_EQ(Count(c.Log("plotdex"), {{"event", "dump"}, {"control", "DataGrid1"}, {"row", 3}}), 1);
}

TEST(CaseDatabase, ACaseAddedInHausdexIsFoundByTheCaseQuery) {
  Case c;
  const pid_t hausdex = c.Start("Hausdex", "add",
                                "toolbar Form1.Toolbar1 add\n"
                                "edit Form1.DataGrid1 81 1 81\n"
                                "edit Form1.DataGrid1 81 2 滨湖新城1栋\n"
                                "edit Form1.DataGrid1 81 3 7100\n"
                                "toolbar Form1.Toolbar1 save\n"
                                "toolbar Form1.Toolbar1 close\n");
  EXPECT_EQ(c.WaitForEnd(hausdex), 0);
  EXPECT_EQ(Count(c.Log("add"), {{"event", "script-error"}}), 0);

  MarketComparisonSheet(c);
  const pid_t estivo =
      c.Start("Estivo", "query", CaseQuerySearch("滨湖") + "dump 案例查询.DataGrid1\nclose 案例查询\n" + kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("query");
  ASSERT_EQ(Count(log, {{"event", "dump"}, {"rows", 1}}), 1);
  for (const auto& line : log) {
    if (line["event"] == "dump") {
      EXPECT_EQ(line["texts"][1], "滨湖新城1栋");
    }
  }
}

}  // namespace
}  // namespace e2e
