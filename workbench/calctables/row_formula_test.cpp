#include "workbench/calctables/row_formula.h"

#include <gtest/gtest.h>

#include "platform/runtime/error.h"

namespace 增加计算表 {
namespace {

TEST(RowFormula, RowVariablesAndOffsetsBecomePlainDecimalRows) {
  const RowVariables v{{"q", 530}, {"j", 52}, {"t", 40}};
  EXPECT_EQ(ExpandRowFormula("=成本法计算表!R{q+114}C14/10000", v), "=成本法计算表!R644C14/10000");
  EXPECT_EQ(ExpandRowFormula("=成本法计算表!R{q}C9", v), "=成本法计算表!R530C9");
  EXPECT_EQ(ExpandRowFormula("=市场法计算表!R{j}C3/2 + 收益法计算表2!R{t}C9/2", v),
            "=市场法计算表!R52C3/2 + 收益法计算表2!R40C9/2");
  EXPECT_EQ(ExpandRowFormula("市场法", v), "市场法");
}

TEST(RowFormula, AVariableThatWasNotReadGivesNoFormula) {
  const RowVariables v{{"j", 52}};
  EXPECT_EQ(ExpandRowFormula("=市场法计算表!R{j}C3/2 + 收益法计算表2!R{t}C9/2", v), std::nullopt);
}

TEST(RowFormula, AnOffsetPastThe16BitRangeIsAFailingStep) {
  const RowVariables v{{"q", 32700}};
  EXPECT_THROW(ExpandRowFormula("=成本法计算表!R{q+114}C14", v), runtime::Error);
}

}  // namespace
}  // namespace 增加计算表
