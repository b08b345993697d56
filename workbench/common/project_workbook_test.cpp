#include "workbench/common/project_workbook.h"

#include <gtest/gtest.h>

#include "platform/automation/error_modes.h"
#include "platform/office/host/client.h"
#include "platform/office/host/testing/fake_office.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/passwords.h"

namespace workbench {
namespace {

using automation::Object;
using automation::Variant;

class MarkerCheck : public ::testing::Test {
 protected:
  // Excel with the active workbook opened as a project workbook, its marker cell holding value.
  Object ExcelWithMarker(const Variant& value) {
    const Object excel = AttachOrCreateExcel();
    excel.obj("Workbooks").call("Open", "项目.xlt");
    excel.obj("Worksheets", "参数").obj("Range", "A1").put("Value", value);
    return excel;
  }
  office::InProcessOffice office{office::testing::FakeRegistry()};
};

TEST_F(MarkerCheck, HoldsOnlyForTheExactText) {
  EXPECT_TRUE(IsProjectWorkbook(ExcelWithMarker("Qorvane房地产")));
  for (const Variant& other : {Variant("qorvane房地产"), Variant("QORVANE房地产"), Variant("Qorvane房地产 "),
                               Variant(" Qorvane房地产"), Variant(""), Variant(), Variant(std::int16_t{1})})
    EXPECT_FALSE(IsProjectWorkbook(ExcelWithMarker(other))) << other.toText();
}

TEST_F(MarkerCheck, CannotBeReadWithoutExcelWorkbookOrParameterSheet) {
  EXPECT_THROW(IsProjectWorkbook(Object()), automation::Error);
  const Object excel = AttachOrCreateExcel();
  EXPECT_THROW(IsProjectWorkbook(excel), automation::Error);  // no workbook
  excel.obj("Workbooks").call("Add");
  EXPECT_THROW(IsProjectWorkbook(excel), automation::Error);  // no sheet 参数

  // As the handlers use it: ignoring errors, an unreadable check counts as failed.
  automation::ResumeNext step;
  EXPECT_TRUE(step.test([&] { return !IsProjectWorkbook(excel); }));
  EXPECT_FALSE(automation::StopAtFirstError([&] { IsProjectWorkbook(excel); }));
}

TEST(Passwords, AreTheFixedTexts) {
  EXPECT_EQ(std::string(kWorksheetPassword).size(), 41u);
  EXPECT_EQ(std::string(kWorkbookPassword).size(), 36u);
}

}  // namespace
}  // namespace workbench
