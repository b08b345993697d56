// A project workbook that has been through LibreOffice Calc, as when a user opens it there and
// saves it: the add and delete commands work on it as on one of ours.

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "workbench/calctables/calc_tables_test_support.h"

namespace 增加计算表::testing {
namespace {

struct LibreOfficeWorkbookTest : CalcTablesTest {
  void SetUp() override {
    if (std::system("command -v soffice > /dev/null") != 0) GTEST_SKIP() << "LibreOffice is not installed (scripts/setup)";
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // The market project workbook, saved as .xlsx here, opened and saved again by LibreOffice.
  std::string ThroughLibreOffice() const {
    std::filesystem::create_directories(folder);
    const std::string ours = (folder / "项目.xlsx").string();
    const automation::Object book = xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/市场法.xlt").toObject();
    book.call("SaveAs", ours);
    book.call("Close", false);
    const std::string command = "soffice -env:UserInstallation=file://" + (folder / "profile").string() +
                                " --headless --convert-to 'xlsx:Calc MS Excel 2007 XML' --outdir '" + (folder / "out").string() + "' '" + ours +
                                "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return (folder / "out" / "项目.xlsx").string();
  }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qv_calctables_lo_" + std::to_string(::getpid()) + "_" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(LibreOfficeWorkbookTest, AddAndDeleteWorkOnAWorkbookLibreOfficeSaved) {
  xl.obj("Workbooks").call("Open", ThroughLibreOffice());
  Set("参数", "E7", "张三");
  Set("参数", "D1", 2);
  Answer(ui::kYes);
  AddCalculationTable();
  EXPECT_EQ(Number("市场法计算表", "B1"), 74);
  EXPECT_EQ(Number("市场法计算表", "D1"), 2);
  EXPECT_EQ(Text("市场法计算表", "N38"), "计算表编号：2");
  EXPECT_TRUE(Sheet("市场法计算表").obj("Rows", "74:109").get("Hidden").toBool());
  EXPECT_EQ(Sheet("市场法计算表").obj("PageSetup").get("PrintArea").toText(), "$A$2:$O$73");
  EXPECT_TRUE(Protected("市场法计算表")) << "protected again with the system's password";
  EXPECT_EQ(FormulaR1C1("估价结果汇总表", "H9"), "=市场法计算表!R72C3");
  EXPECT_EQ(Text("估价结果汇总表", "B9"), "张三");

  Answer(ui::kOk);
  DeleteLastCalculationTable();
  EXPECT_EQ(Number("市场法计算表", "B1"), 38);
  EXPECT_EQ(Number("市场法计算表", "D1"), 1);
  EXPECT_TRUE(Value("估价结果汇总表", "A9").isEmpty());
  EXPECT_TRUE(Protected("市场法计算表"));
}

}  // namespace
}  // namespace 增加计算表::testing
