#include "workbench/common/office_attach.h"

#include <gtest/gtest.h>

#include "platform/office/host/client.h"
#include "platform/office/host/testing/fake_office.h"
#include "platform/runtime/testing/error_number.h"

namespace workbench {
namespace {

using runtime::testing::ErrorNumberOf;

class Attach : public ::testing::Test {
 protected:
  office::InProcessOffice office{office::testing::FakeRegistry()};
};

TEST_F(Attach, AttachNeverCreates) {
  EXPECT_EQ(ErrorNumberOf([] { AttachExcel(); }), 429);
  EXPECT_EQ(ErrorNumberOf([] { AttachWord(); }), 429);
  EXPECT_FALSE(ExcelMainWindowExists());
  EXPECT_TRUE(office::RunningApplications().empty());
}

TEST_F(Attach, AttachOrCreateMakesAnInvisibleExcelOnlyWhenNoneRuns) {
  const auto created = AttachOrCreateExcel();
  EXPECT_FALSE(created.get("Visible").toBool());
  EXPECT_EQ(created.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_TRUE(ExcelMainWindowExists());
  EXPECT_EQ(AttachOrCreateExcel(), created);
  EXPECT_EQ(AttachExcel(), created);
  EXPECT_EQ(office::RunningApplications().size(), 1u);
}

}  // namespace
}  // namespace workbench
