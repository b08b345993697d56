// The case query as the user runs it from the toolbar: a search of the shipped house cases, one
// case chosen in the grid and inserted into a table of the market comparison sheet.

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

std::string Cell(const Case& c, const std::string& address) {
  return c.Eval("Excel.Worksheets(\"市场法计算表\").Range(\"" + address + "\").Value");
}

TEST(CaseQuery, FindsACaseAndInsertsItIntoTable1) {
  Case c;
  MarketComparisonSheet(c);
  const pid_t estivo = c.Start("Estivo", "query",
                               CaseQuerySearch("盛世华庭") +
                                   std::string("grid 案例查询.DataGrid1 2 2\n"
                                           "dump 案例查询.DataGrid1\n"
                                           "choose 案例查询.Combo2 1\n"
                                           "click 案例查询.Command2\n"
                                           "choose 案例查询.Combo2 0\n"
                                           "click 案例查询.Command2\n"
                                           "close 案例查询\n") +
                                   kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("query");
  EXPECT_EQ(Count(log, {{"event", "dump"}, {"rows", 7}, {"row", 2}}), 1);
  EXPECT_EQ(Count(log, {{"event", "msgbox"}, {"text", "查询的交易案例[盛世华庭8栋]包括其所有基本信息已经成功更新至当前计算表中!"}}), 2);
  EXPECT_EQ(Count(log, {{"event", "script-error"}}), 0);

  const std::vector<std::string> expected = {"盛世华庭8栋", "8750", "正常", "2026-07-28", "网签备案", "一次性付款",
                                             "70年（剩余59年）", "住宅", "一级", "小型居住区", "一般", "便捷", "供需平衡",
                                             "较好", "良", "无特殊限制", "不临街，地势平坦", "9成新", "140.59", "精装修",
                                             "水电气齐全，有电梯", "合理", "良好", "钢筋混凝土", "3/11", "西南"};
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(Cell(c, "E" + std::to_string(9 + i)), expected[i]) << "E" << 9 + i;
  EXPECT_EQ(Cell(c, "D9"), "盛世华庭8栋");
  EXPECT_EQ(Cell(c, "D10"), "8750");
}

TEST(CaseQuery, WithoutTheCaseDatabaseTheToolbarGoesOn) {
  Case c;
  std::filesystem::remove(c.programFolder() + "/db.mdb");
  MarketComparisonSheet(c);
  const pid_t estivo = c.Start("Estivo", "missing",
                               std::string("toolbar gongjulan.Toolbar1 市场法交易案例查询\n"
                                           "menu gongjulan.实用工具 1\n"
                                           "wait 实用工具1\n") +
                                   kQuit);
  EXPECT_EQ(c.WaitForEnd(estivo), 0);
  const auto log = c.Log("missing");
  EXPECT_EQ(Count(log, {{"event", "msgbox"}, {"text", "无法打开交易案例数据库db.mdb，请检查程序文件夹！"}, {"title", "提示"}}), 1);
  EXPECT_EQ(Count(log, {{"event", "form"}, {"form", "案例查询"}, {"action", "shown"}}), 0);
  EXPECT_EQ(Count(log, {{"event", "form"}, {"form", "实用工具1"}, {"action", "shown"}}), 1);
  EXPECT_FALSE(std::filesystem::exists(c.programFolder() + "/db.mdb"));
}

}  // namespace
}  // namespace e2e
