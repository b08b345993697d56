#include <time.h>

#include <gtest/gtest.h>

#include <fstream>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"
#include "platform/ui/hot_keys.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/registry.h"
#include "platform/ui/test_support.h"
#include "platform/ui/window_finder.h"

namespace ui {
namespace {

class Toolbar : public Form {
 public:
  Toolbar() : Form("gongjulan") {}
  RichTextBox Grid{*this, "Grid"};
  TextBox Other{*this, "Other"};
};

class ServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { window().Show(); }
  void TearDown() override {
    Unload(window());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static Toolbar& window() { return Default<Toolbar>(); }
  QTemporaryDir session_;
};

double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

TEST_F(ServicesTest, AHeldHotKeyCannotBeRegisteredAgain) {
  const testing::CapturedLog log;
  SessionHotKeys first(session_.path().toStdString());
  SessionHotKeys second(session_.path().toStdString());  // as a second instance of the program
  EXPECT_TRUE(first.Register(window(), 49146, kModControl, 'B'));
  EXPECT_TRUE(first.Register(window(), 49146, kModControl, 'H'));  // one identifier for several keys
  EXPECT_FALSE(first.Register(window(), 49146, kModControl, 'B'));
  EXPECT_FALSE(second.Register(window(), 49146, kModControl, 'B'));
  EXPECT_TRUE(second.Register(window(), 49146, kModControl, 'I'));
  EXPECT_FALSE(second.Press(kModControl, 'B'));
  const auto e = log.entries();
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(log.lines()[0],
            R"({"event":"hotkey","program":"ui_test","form":"gongjulan","id":49146,"modifiers":2,"key":66,"registered":true})");
  EXPECT_EQ(e[3]["registered"], false);
}

TEST_F(ServicesTest, HotKeyLoopTakesItsMessagesOnlyWhenItIsTheInnermostLoop) {
  SessionHotKeys keys(session_.path().toStdString());
  keys.Register(window(), 49146, kModControl, 'B');
  keys.Register(window(), 49146, kModControl, 'H');
  bool stop = false;
  std::vector<int> taken;
  const testing::ScriptedRunScope scripted;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(keys.Press(kModControl, 'B'));
    EXPECT_TRUE(keys.Press(kModControl, 'H'));
  });
  // While a message box of a handler waits, the press reaches only the general event processing.
  QTimer::singleShot(20, [&] {
    QTimer::singleShot(0, [&] { keys.Press(kModControl, 'H'); });
    QEventLoop modal;
    QTimer::singleShot(10, &modal, &QEventLoop::quit);
    modal.exec();
  });
  QTimer::singleShot(60, [&] { stop = true; });
  RunHotKeyLoop(window(), stop, [&](const HotKeyMessage& m) {
    EXPECT_EQ(m.id, 49146);
    taken.push_back(m.key);
  });
  EXPECT_EQ(taken, (std::vector<int>{'B', 'H'}));
}

TEST_F(ServicesTest, AnIdleBlockingLoopTakesNoProcessorTime) {
  bool stop = false;
  QTimer::singleShot(2000, [&] { stop = true; });
  const double before = ProcessSeconds();
  RunHotKeyLoop(window(), stop, [](const HotKeyMessage&) {});
  const double used = ProcessSeconds() - before;
  RecordProperty("idle_cpu_seconds", std::to_string(used));
  std::printf("processor time over 2 s idle: %.4f s\n", used);
  EXPECT_LT(used, 0.05);
}

TEST_F(ServicesTest, WheelLoopTakesTheNotchesOfItsControlAndLeavesTheRest) {
  auto& grid = static_cast<QAbstractScrollArea&>(*window().Grid.widget());
  QWidget& other = *window().Other.widget();
  auto notch = [](QWidget& target, int delta) {
    const QPointF at(5, 5);
    QWheelEvent wheel(at, target.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&target, &wheel);
  };
  bool stop = false;
  std::vector<int> taken;
  QTimer::singleShot(0, [&] {
    notch(*grid.viewport(), -120);  // over the grid's rows: the grid's own message
    notch(other, -120);             // another control's: handled by it as usual
    notch(grid, 240);
  });
  QTimer::singleShot(30, [&] { stop = true; });
  RunWheelLoop(grid, stop, [&](int distance) { taken.push_back(distance); });
  EXPECT_EQ(taken, (std::vector<int>{-120, 240}));
  EXPECT_FALSE(MessagesWaiting());
}

TEST(RegistryTest, ReadsStringValuesAndFailsForAbsentOnes) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("registry.ini").toStdString();
  std::ofstream(path) << "; the registry stand-in\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                         "PATH = /opt/msinfo/MSINFO32.EXE\n"
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n"
                         "MSINFO=/opt/msinfo\n";
  const Registry registry(path);
  EXPECT_EQ(registry.ReadString("HKEY_LOCAL_MACHINE", "software\\microsoft\\shared tools\\msinfo", "path"),
            "/opt/msinfo/MSINFO32.EXE");
  EXPECT_EQ(registry.ReadString("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"),
            "/opt/msinfo");
  EXPECT_EQ(registry.ReadString("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Shared Tools", "MSINFO"), std::nullopt);
  EXPECT_EQ(registry.ReadString("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "MSINFO"),
            std::nullopt);
  EXPECT_EQ(Registry(dir.filePath("absent.ini").toStdString()).ReadString("HKEY_LOCAL_MACHINE", "SOFTWARE", "X"),
            std::nullopt);
}

TEST(WindowFinderTest, ExcelMainWindowComesFromTheInstalledProbe) {
  WindowFinder finder;
  EXPECT_FALSE(finder.Exists("XLMAIN"));
  bool running = true;
  finder.SetExcelProbe([&] { return running; });
  EXPECT_TRUE(finder.Exists("XLMAIN"));
  EXPECT_FALSE(finder.Exists("OpusApp"));
  running = false;
  EXPECT_FALSE(finder.Exists("XLMAIN"));
}

}  // namespace
}  // namespace ui
