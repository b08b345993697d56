// officectl's commands against applications hosted in this process.

#include "platform/office/host/officectl/commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/office/host/client.h"
#include "platform/office/host/testing/fake_office.h"

namespace officectl {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

class Officectl : public ::testing::Test {
 protected:
  Outcome Run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = officectl::Run(args, out, err);
    return {status, out.str(), err.str()};
  }
  std::string Eval(const std::string& expression) { return Run({"eval", expression}).out; }

  office::InProcessOffice office{office::testing::FakeRegistry()};
};

TEST_F(Officectl, RunStartsAnApplicationAsTheUserWould) {
  ASSERT_EQ(Run({"run", "Excel"}).status, 0);
  ASSERT_EQ(Run({"run", "word"}).status, 0);
  EXPECT_EQ(Eval("Excel.Visible"), "True\n");
  EXPECT_EQ(Eval("Excel.Workbooks.Count"), "1\n");
  EXPECT_EQ(Eval("Word.Documents.Count"), "1\n");
  EXPECT_EQ(Run({"status"}).out, "Excel.Application visible\nWord.Application visible\n");
  EXPECT_EQ(Run({"quit", "Excel"}).status, 0);
  EXPECT_EQ(Run({"status"}).out, "Word.Application visible\n");
}

TEST_F(Officectl, EvalReadsWritesAndCallsAlongAMemberChain) {
  Run({"run", "Excel"});
  Run({"run", "Word"});
  EXPECT_EQ(Eval(R"(Excel.Workbooks.Open("/path/to/市场法.xlt"))"), "<object>\n");
  EXPECT_EQ(Run({"eval", R"(Excel.ActiveWorkbook.Worksheets("参数").Range("E7").Value = "张三")"}).out, "");
  EXPECT_EQ(Eval(R"(Excel.Worksheets("参数").Range("E7").Value)"), "张三\n");
  Run({"eval", R"(Excel.Worksheets("市场法计算表").Range("B1") = 0.1)"});  // the default member
  EXPECT_EQ(Eval(R"(Excel.Worksheets("市场法计算表").Range("B1").Value)"), "0.1\n");
  EXPECT_EQ(Eval(R"(Excel.Worksheets("市场法计算表").Range("B2").Value)"), "\n");

  Run({"eval", R"(Word.ActiveDocument.Tables(1).Cell(2,1).Range.Text = "甲乙")"});
  EXPECT_EQ(Eval("Word.ActiveDocument.Tables(1).Cell(2,1).Range.Text"), "甲乙\n");
  Run({"eval", R"(Word.Selection.Find.Text = "乙")"});
  EXPECT_EQ(Eval(R"(Word.Selection.Find.Execute(ReplaceWith:="丙", Replace:=2))"), "True\n");
  EXPECT_EQ(Eval("Word.ActiveDocument.Tables(1).Cell(2,1).Range.Text"), "甲丙\n");
  EXPECT_EQ(Eval("Word"), "<object>\n");
}

TEST_F(Officectl, ErrorsArePrintedWithTheirNumber) {
  const auto none = Run({"eval", "Excel.Visible"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "error 429: ActiveX component can't create object\n");
  EXPECT_EQ(Run({"quit", "Word"}).status, 1);
  EXPECT_EQ(Run({"run", "Paint"}).err, "error 429: ActiveX component can't create object\n");

  Run({"run", "Excel"});
  EXPECT_EQ(Run({"eval", "Excel.Nonsense"}).err, "error 438: Object doesn't support this property or method\n");
  EXPECT_EQ(Run({"eval", R"(Excel.ActiveWorkbook.Worksheets("无此表").Range("A1").Value)"}).err,
            "error 9: Subscript out of range\n");
  EXPECT_EQ(Run({"eval", "Excel.Workbooks.Open(Bogus:=1)"}).err, "error 448: Named argument not found\n");

  const auto syntax = Run({"eval", "Excel.Range(\"A1"});
  EXPECT_EQ(syntax.status, 2);
  EXPECT_EQ(syntax.err, "officectl: unterminated text at position 16\n");
  EXPECT_EQ(Run({}).status, 2);
  EXPECT_EQ(Run({"run"}).status, 2);
  EXPECT_EQ(Run({"launch", "Excel"}).status, 2);
}

}  // namespace
}  // namespace officectl
