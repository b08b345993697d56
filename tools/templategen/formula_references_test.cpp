// Moving table 1's formulas into the template block: which references follow and which stay.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/templategen/formula_references.h"

namespace templategen {
namespace {

TEST(BlockFormula, OwnSheetRowsMoveOtherSheetsAndTextsStay) {
  EXPECT_EQ(BlockFormula("=ROUND(D10*L35,2)", 36), "=ROUND(D46*L71,2)");
  EXPECT_EQ(BlockFormula("=ROUND(AVERAGE(D35:F35),0)", 36), "=ROUND(AVERAGE(D71:F71),0)");
  EXPECT_EQ(BlockFormula("=参数!B8&\"\"", 36), "=参数!B8&\"\"");
  EXPECT_EQ(BlockFormula("=收益法计算表1!$E$52", 35), "=收益法计算表1!$E$52");
  EXPECT_EQ(BlockFormula("=SUM(成本法计算表!D13:D20)*100+C5", 119), "=SUM(成本法计算表!D13:D20)*100+C124");
  EXPECT_EQ(BlockFormula("=IF(C4=0,\"A1 B2\",C4)", 10), "=IF(C14=0,\"A1 B2\",C14)");
  EXPECT_EQ(BlockFormula("=IF(I4=0,0,ROUND(I32/I4,2))", 35), "=IF(I39=0,0,ROUND(I67/I39,2))");
  EXPECT_EQ(BlockFormula("=(1-1/(1+I28)^I29)/I28", 1), "=(1-1/(1+I29)^I30)/I29");
}

TEST(BlockFormula, RefusesAbsoluteRowsOnTheOwnSheet) {
  EXPECT_THROW(BlockFormula("=C$5*2", 36), std::invalid_argument);
  EXPECT_EQ(BlockFormula("=$C5*2", 36), "=$C41*2");
}

TEST(RewriteReferences, ReportsTheSheetOfEachReference) {
  std::vector<std::string> sheets;
  RewriteReferences("=IF(参数!D1=3,收益法计算表2!C4,市场法计算表!C4)+A1", [&](Reference& r) { sheets.push_back(r.sheet); });
  EXPECT_EQ(sheets, (std::vector<std::string>{"参数", "收益法计算表2", "市场法计算表", ""}));
}

}  // namespace
}  // namespace templategen
