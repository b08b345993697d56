#include "platform/office/access/access_application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>
#include "platform/runtime/testing/error_number.h"

namespace office::access {
namespace {

using automation::Object;

using runtime::testing::ErrorNumberOf;

struct AccessTest : ::testing::Test {
  AccessTest() { std::ofstream(database) << "case data"; }
  ~AccessTest() override { std::filesystem::remove(database); }

  // One file per test process: ctest runs the cases side by side.
  const std::string database =
      (std::filesystem::temp_directory_path() / ("qv_access_test_" + std::to_string(getpid()) + "_td.mdb")).string();
  std::shared_ptr<AccessApplication> access = std::static_pointer_cast<AccessApplication>(CreateAccessApplication());
  Object app{access};
};

TEST_F(AccessTest, OpenShowAndMaximiseAreRecorded) {
  app.call("OpenCurrentDatabase", database);
  app.put("Visible", true);
  app.obj("DoCmd").call("OpenTable", "Table1");
  app.obj("DoCmd").call("Maximize");
  EXPECT_TRUE(access->visible());
  EXPECT_EQ(access->state().currentDatabase, database);
  EXPECT_EQ(app.obj("CurrentProject").get("FullName").toText(), database);
  EXPECT_EQ(access->state().openTables, std::vector<std::string>{"Table1"});
  EXPECT_EQ(access->state().maximizedTable, "Table1");

  app.call("CloseCurrentDatabase");
  EXPECT_EQ(access->state().currentDatabase, "");
  EXPECT_TRUE(access->state().openTables.empty());
  EXPECT_TRUE(access->visible()) << "closing the database leaves Access shown";
}

TEST_F(AccessTest, FailuresOpenNothing) {
  EXPECT_EQ(ErrorNumberOf([&] { app.call("OpenCurrentDatabase", database + ".missing"); }), 7866);
  EXPECT_EQ(access->state().currentDatabase, "");
  EXPECT_EQ(ErrorNumberOf([&] { app.obj("DoCmd").call("OpenTable", "Table1"); }), 2046) << "no current database";
  EXPECT_EQ(ErrorNumberOf([&] { app.obj("DoCmd").call("Maximize"); }), 2046) << "no window to maximise";
  app.call("OpenCurrentDatabase", database);
  EXPECT_EQ(ErrorNumberOf([&] { app.call("OpenCurrentDatabase", database); }), 7867);
}

TEST_F(AccessTest, QuitClosesAndIsSeenByTheHost) {
  app.put("Visible", true);
  app.call("OpenCurrentDatabase", database);
  const Object doCmd = app.obj("DoCmd");
  app.call("Quit");
  EXPECT_TRUE(access->hasQuit());
  EXPECT_FALSE(access->visible());
  EXPECT_EQ(access->state().currentDatabase, "");
}

}  // namespace
}  // namespace office::access
