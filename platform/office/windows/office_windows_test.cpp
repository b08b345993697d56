// The host's windows follow the running applications: created when one starts, shown while it is
// visible, gone when it quits; closing an application's last window quits it.

#include "platform/office/windows/office_windows.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QMainWindow>
#include <QTableView>

#include <chrono>
#include <filesystem>
#include <functional>

#include "platform/office/access/access_application.h"
#include "platform/runtime/testing/time_bound.h"

namespace office::windows {
namespace {

using automation::Object;

class OfficeWindowsTest : public ::testing::Test {
 protected:
  OfficeWindowsTest() : table_(Registry()), windows_(table_, [this] { ++userActions_; }) {}

  static ApplicationRegistry Registry() {
    ApplicationRegistry registry;
    registry.Register("Access.Application", access::CreateAccessApplication);
    return registry;
  }

  // Access with the house cases shown, as the case database program leaves it.
  Object AccessShowingTheCases() {
    Object access(table_.Create("Access.Application")->application);
    access.call("OpenCurrentDatabase", std::string(QORVANE_BIN_DIR) + "/db.mdb");
    access.put("Visible", true);
    access.obj("DoCmd").call("OpenTable", "Table1");
    access.obj("DoCmd").call("Maximize");
    return access;
  }

  static QMainWindow* AccessWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "OMain") return static_cast<QMainWindow*>(w);
    return nullptr;
  }

  RunningObjectTable table_;
  int userActions_ = 0;
  OfficeWindows windows_;
};

TEST_F(OfficeWindowsTest, AccessShowsTheOpenedTableMaximisedWithEveryRow) {
  Object access = AccessShowingTheCases();
  windows_.Sync();
  QMainWindow* window = AccessWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isMaximized());
  EXPECT_EQ(window->windowTitle(), "Access - db.mdb : Table1");
  const auto* model = window->findChild<QTableView*>("datasheet")->model();
  ASSERT_NE(model, nullptr);
  while (model->canFetchMore(QModelIndex())) const_cast<QAbstractItemModel*>(model)->fetchMore(QModelIndex());
  EXPECT_EQ(model->rowCount(), 80);

  const auto dir = std::filesystem::path(QORVANE_ARTEFACTS_DIR) / "screenshots";
  std::filesystem::create_directories(dir);
  const auto files = windows_.SaveScreenshots((dir / "access-cases").string());
  ASSERT_EQ(files.size(), 1u);
  EXPECT_GT(std::filesystem::file_size(files[0]), 10000u);
}

TEST_F(OfficeWindowsTest, VisibleShowsAndHidesTheWindowAndQuitDropsIt) {
  Object access = AccessShowingTheCases();
  windows_.Sync();
  access.put("Visible", false);
  windows_.Sync();
  ASSERT_NE(AccessWindow(), nullptr) << "an invisible application keeps its windows, hidden";
  EXPECT_FALSE(AccessWindow()->isVisible());
  EXPECT_TRUE(windows_.SaveScreenshots("/nonexistent/none").empty());

  access.call("Quit");
  windows_.Sync();
  EXPECT_EQ(AccessWindow(), nullptr);
}

TEST_F(OfficeWindowsTest, ClosingTheLastWindowQuitsTheApplicationAsTheUserWould) {
  Object access = AccessShowingTheCases();
  windows_.Sync();
  ASSERT_TRUE(AccessWindow()->close() == false) << "the application decides, not the window";
  QCoreApplication::processEvents();
  EXPECT_TRUE(table_.Applications().empty()) << "quit, and swept from the running applications";
  EXPECT_EQ(AccessWindow(), nullptr);
  EXPECT_EQ(userActions_, 1);
}

TEST_F(OfficeWindowsTest, PerformGoesToTheNamedApplicationsWindows) {
  Object access = AccessShowingTheCases();
  EXPECT_FALSE(windows_.Perform("Access.Application", {"type", "x"})) << "Access has no such action";
  EXPECT_THROW(windows_.Perform("Excel.Application", {"type", "x"}), automation::Error) << "not running";
}

// Programs' calls are followed without being asked: once they pause, and a few times a second
// during a burst that never pauses.
TEST_F(OfficeWindowsTest, TheWindowsCatchUpAfterABurstAndDuringOneWithoutAPause) {
  using namespace std::chrono_literals;
  const auto until = [](const std::function<bool()>& shown) {
    const auto deadline = std::chrono::steady_clock::now() + runtime::testing::Within(5s);
    while (!shown() && std::chrono::steady_clock::now() < deadline) QCoreApplication::processEvents();
    return shown();
  };
  Object access(table_.Create("Access.Application")->application);
  access.put("Visible", true);
  windows_.Served();
  EXPECT_TRUE(until([] { return AccessWindow() && AccessWindow()->isVisible(); }));

  access.put("Visible", false);
  EXPECT_TRUE(until([&] {
    windows_.Served();  // one request after the other
    return AccessWindow() && !AccessWindow()->isVisible();
  }));
}

}  // namespace
}  // namespace office::windows
