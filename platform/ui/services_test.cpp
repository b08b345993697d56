#include <time.h>

#include <gtest/gtest.h>

#include <fstream>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"
#include "platform/ui/hot_keys.h"
#include "platform/ui/message_box.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/registry.h"
#include "platform/ui/services.h"
#include "platform/ui/window_styles.h"
#include "platform/ui/test_support.h"
#include "platform/ui/window_finder.h"

namespace ui {
namespace {

class Toolbar : public Form {
 public:
  Toolbar() : Form("gongjulan") {}
  RichTextBox Grid{*this, "Grid"};
  TextBox Other{*this, "Other"};
  Label Label1{*this, "Label1"};
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
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(keys.Press(kModControl, 'B'));
    EXPECT_TRUE(keys.Press(kModControl, 'H'));
  });
  // While a modal loop of a handler runs, a press reaches only the general event processing.
  auto modalPress = [&] {
    QEventLoop modal;
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(keys.Press(kModControl, 'H'));
      modal.quit();
    });
    modal.exec();
    EXPECT_FALSE(MessagesWaiting());
    stop = true;
  };
  QTimer::singleShot(5000, [&] { stop = true; });  // should the messages never come
  RunHotKeyLoop(window(), stop, [&](const HotKeyMessage& m) {
    EXPECT_EQ(m.id, 49146);
    taken.push_back(m.key);
    if (taken.size() == 2) QTimer::singleShot(0, modalPress);
  });
  EXPECT_EQ(taken, (std::vector<int>{'B', 'H'}));
}

TEST_F(ServicesTest, AnIdleBlockingLoopTakesNoProcessorTime) {
  bool stop = false;
  QTimer::singleShot(2000, [&] { stop = true; });
  QCoreApplication::processEvents();  // the window's own first events are no part of the idling
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
  QTimer::singleShot(5000, [&] { stop = true; });  // should the notches never come
  RunWheelLoop(grid, stop, [&](int distance) {
    taken.push_back(distance);
    stop = taken.size() == 2;
  });
  EXPECT_EQ(taken, (std::vector<int>{-120, 240}));
  EXPECT_FALSE(MessagesWaiting());
}

TEST_F(ServicesTest, WindowStylesDoWhatWasAskedAndTellTheLog) {
  const testing::CapturedLog log;
  Toolbar& wait = window();
  wait.setBorderStyle(BorderStyle::None);
  wait.Move(0, 0, 1500, 600);
  wait.setBackColor(Qt::black);
  wait.Grid.setVisible(false);
  wait.Other.setVisible(false);
  Label& text = wait.Label1;
  text.Move(0, 0, 1500, 600);
  text.setBackColor(Qt::black);
  text.setForeColor(QColor(0, 0, 255));
  text.setFont("Noto Sans CJK SC", 15.75, true);
  text.setCaption("请稍后");
  wait.Show();
  Use<WindowStyles>().SetTopmost(wait);
  Use<WindowStyles>().SetBlackTransparent(wait);
  EXPECT_TRUE(wait.window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(wait.window().windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(wait.Visible());
  const QImage shot = wait.window().grab().toImage();
  int clear = 0, blue = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      clear += c.alpha() == 0 ? 1 : 0;
      blue += c.alpha() > 0 && c.blue() > 128 && c.red() < 100 ? 1 : 0;
      EXPECT_FALSE(c.alpha() == 255 && c.rgb() == qRgb(0, 0, 0)) << "black stays at " << x << "," << y;
      if (HasFailure()) return;
    }
  EXPECT_GT(clear, shot.width() * shot.height() / 2);
  EXPECT_GT(blue, 50);
  const auto e = log.entries();
  ASSERT_EQ(e.size(), 3u);  // shown, topmost, transparent
  EXPECT_EQ(e[1]["event"], "topmost");
  EXPECT_EQ(e[2]["event"], "black-transparent");
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
