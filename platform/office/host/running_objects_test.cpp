// The running-object table and its lifetime rule, hosted in this process.

#include <gtest/gtest.h>

#include "platform/office/host/client.h"
#include "platform/office/host/testing/fake_office.h"
#include "platform/runtime/testing/error_number.h"

namespace office {
namespace {

using runtime::testing::ErrorNumberOf;

class InProcess : public ::testing::Test {
 protected:
  InProcessOffice office{testing::FakeRegistry()};
};

TEST_F(InProcess, AttachingFindsOnlyWhatRunsAndIdentifiersIgnoreCase) {
  EXPECT_EQ(ErrorNumberOf([] { GetRunningObject("Excel.Application"); }), 429);
  EXPECT_FALSE(IsApplicationRunning("Excel.Application"));
  EXPECT_EQ(ErrorNumberOf([] { CreateObject("Nothing.Application"); }), 429);

  const auto excel = CreateObject("excel.application");
  EXPECT_TRUE(IsApplicationRunning("EXCEL.Application"));
  EXPECT_EQ(GetRunningObject("Excel.Application"), excel);
  EXPECT_FALSE(IsApplicationRunning("Word.Application"));
  ASSERT_EQ(RunningApplications().size(), 1u);
  EXPECT_EQ(RunningApplications()[0].progid, "Excel.Application");
}

TEST_F(InProcess, ACreatedApplicationIsInvisibleWithoutWorkbooks) {
  const auto excel = CreateObject("Excel.Application");
  EXPECT_FALSE(excel.get("Visible").toBool());
  EXPECT_EQ(excel.obj("Workbooks").get("Count").toInt32(), 0);
}

TEST_F(InProcess, AnInvisibleApplicationQuitsWithItsLastReferenceAVisibleOneStays) {
  {
    const auto first = CreateObject("Excel.Application");
    const auto second = GetRunningObject("Excel.Application");
  }
  EXPECT_FALSE(IsApplicationRunning("Excel.Application"));

  CreateObject("Word.Application").put("Visible", true);
  EXPECT_TRUE(IsApplicationRunning("Word.Application"));
  GetRunningObject("Word.Application").call("Quit");
  EXPECT_FALSE(IsApplicationRunning("Word.Application"));
}

TEST_F(InProcess, AttachGivesTheEarliestOfSeveralRunningInstances) {
  const auto first = CreateObject("Excel.Application");
  const auto second = CreateObject("Excel.Application");
  EXPECT_EQ(GetRunningObject("Excel.Application"), first);
  first.call("Quit");
  EXPECT_EQ(GetRunningObject("Excel.Application"), second);
}

}  // namespace
}  // namespace office
