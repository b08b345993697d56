#include "platform/office/host/officectl/expression.h"

#include <gtest/gtest.h>

namespace officectl {
namespace {

using automation::Variant;

TEST(Expression, AChainWithPositionalAndNamedArgumentsAndAnAssignment) {
  const Expression e = ParseExpression(R"(Excel.ActiveWorkbook.Worksheets("参数").Range("E7").Value = "张三")");
  EXPECT_EQ(e.application, "Excel");
  ASSERT_EQ(e.steps.size(), 4u);
  EXPECT_EQ(e.steps[1].member, "Worksheets");
  EXPECT_EQ(e.steps[1].args[0].value, Variant("参数"));
  EXPECT_FALSE(e.steps[3].parenthesised);
  EXPECT_EQ(e.assigned, Variant("张三"));

  const Expression find = ParseExpression("Word.Selection.Find.Execute( FindText:=\"a\\\"b\\\\\\n\" , Replace:=2, True)");
  const auto& args = find.steps.back().args;
  ASSERT_EQ(args.size(), 3u);
  EXPECT_EQ(args[0].name, "FindText");
  EXPECT_EQ(args[0].value, Variant("a\"b\\\n"));
  EXPECT_EQ(args[1].name, "Replace");
  EXPECT_EQ(args[2].value, Variant(true));
  EXPECT_FALSE(find.assigned);
  EXPECT_TRUE(ParseExpression("Excel.Workbooks.Add()").steps[1].parenthesised);
}

TEST(Expression, NumbersTakeTheSmallestTypeThatHoldsThem) {
  const auto value = [](const std::string& n) { return ParseExpression("Excel.Value = " + n).assigned.value(); };
  EXPECT_EQ(value("2"), Variant(std::int16_t{2}));
  EXPECT_EQ(value("-32768"), Variant(std::int16_t{-32768}));
  EXPECT_EQ(value("40000"), Variant(std::int32_t{40000}));
  EXPECT_EQ(value("3000000000"), Variant(3000000000.0));
  EXPECT_EQ(value("12.5"), Variant(12.5));
  EXPECT_EQ(value("1e-3"), Variant(0.001));
  EXPECT_EQ(value("false"), Variant(false));
}

TEST(Expression, MalformedTextIsRefusedWithItsPosition) {
  for (const char* bad : {"", ".Visible", "Excel.", "Excel.Range(\"A1\"", "Excel.Range(\"A1)", "Excel.Range(A1)",
                          "Excel.Value = ", "Excel.Value = 1 2", "Excel.Range(\"\\q\")", "Excel.F(x:=)", "Excel.F(x:1)",
                          "Excel.Value = 1.2.3"})
    EXPECT_THROW(ParseExpression(bad), std::invalid_argument) << bad;
  try {
    ParseExpression("Excel.Visible ?");
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "unexpected text at position 15");
  }
}

}  // namespace
}  // namespace officectl
