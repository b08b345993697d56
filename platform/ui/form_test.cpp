#include "platform/ui/form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>

#include "platform/automation/error.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/test_support.h"
#include "platform/ui/services.h"
#include "platform/ui/window_styles.h"

namespace ui {
namespace {

struct Events {
  std::vector<std::string> seen;
  int alive = 0;
};
Events g_events;

void FlushUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class Dialog : public Form {
 public:
  Dialog() : Form("Dialog") {
    ++g_events.alive;
    Command1.Click = [this] { Command1_Click(); };
  }
  ~Dialog() override { --g_events.alive; }
  TextBox Text1{*this, "Text1"};
  CommandButton Command1{*this, "Command1"};
  int cancelQuery = 0;
  bool unloadInLoad = false;

  void Form_Initialize() override { g_events.seen.push_back("Initialize"); }
  void Form_Load() override {
    g_events.seen.push_back("Load");
    if (unloadInLoad) Unload(*this);
  }
  void Form_QueryUnload(int& cancel, UnloadMode mode) override {
    g_events.seen.push_back(mode == UnloadMode::Code ? "QueryUnload code" : "QueryUnload close");
    cancel = cancelQuery;
  }
  void Form_Unload(int&) override { g_events.seen.push_back("Unload"); }
  // Unloads itself, then still uses its own members: the instance must outlive the handler.
  void Command1_Click() {
    Unload(*this);
    Text1.setText("after unload");
    g_events.seen.push_back("handler went on: " + Text1.Text());
  }
};

class Second : public Form {
 public:
  Second() : Form("Second") {}
  void Form_Unload(int&) override { g_events.seen.push_back("Unload Second"); }
};

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override { g_events = {}; }
  void TearDown() override {
    for (Form* f : std::vector<Form*>(LoadedForms())) {
      if (auto* d = dynamic_cast<Dialog*>(f)) d->cancelQuery = 0;
      Unload(*f);
    }
    FlushUnloaded();
  }
};

TEST_F(FormTest, DefaultInstanceLoadsOnFirstUseAndStaysTheSame) {
  Dialog& first = Default<Dialog>();
  EXPECT_EQ(g_events.seen, (std::vector<std::string>{"Initialize", "Load"}));
  first.Text1.setText("typed");
  first.Show();
  EXPECT_TRUE(first.Visible());
  EXPECT_EQ(&Default<Dialog>(), &first);  // showing an open window brings up that same window
  Default<Dialog>().Show();
  EXPECT_EQ(g_events.seen.size(), 2u);
  EXPECT_EQ(FindLoadedForm("Dialog"), &first);
}

TEST_F(FormTest, UnloadDropsTheInstanceAndTheNextUseStartsFresh) {
  Default<Dialog>().Text1.setText("typed");
  Default<Dialog>().Show();
  EXPECT_TRUE(Unload(Default<Dialog>()));
  EXPECT_EQ(FindLoadedForm("Dialog"), nullptr);
  FlushUnloaded();
  EXPECT_EQ(g_events.alive, 0);
  EXPECT_EQ(Default<Dialog>().Text1.Text(), "");
  EXPECT_EQ(g_events.alive, 1);
  EXPECT_EQ(g_events.seen, (std::vector<std::string>{"Initialize", "Load", "QueryUnload code", "Unload", "Initialize",
                                                     "Load"}));
}

TEST_F(FormTest, QueryUnloadMayCancelTheCloseButton) {
  Dialog& dialog = Default<Dialog>();
  dialog.Show();
  dialog.cancelQuery = 1;
  dialog.window().close();
  EXPECT_TRUE(dialog.loaded());
  EXPECT_TRUE(dialog.Visible());
  dialog.cancelQuery = 0;
  dialog.window().close();
  EXPECT_FALSE(dialog.loaded());
  EXPECT_EQ(g_events.seen, (std::vector<std::string>{"Initialize", "Load", "QueryUnload close", "QueryUnload close",
                                                     "Unload"}));
}

TEST_F(FormTest, AFormUnloadedInsideItsLoadIsNeverShown) {
  struct Unloading : Dialog {
    Unloading() { unloadInLoad = true; }
  };
  Unloading& form = Default<Unloading>();
  EXPECT_FALSE(form.loaded());
  try {
    form.Show();
    FAIL() << "Show of an unloaded form must fail";
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), kObjectWasUnloaded);
  }
  EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, AHandlerThatUnloadsItsFormGoesOnSafely) {
  Dialog& dialog = Default<Dialog>();
  dialog.Show();
  dialog.Command1.ScriptClick();
  EXPECT_EQ(g_events.seen.back(), "handler went on: after unload");
  EXPECT_EQ(FindLoadedForm("Dialog"), nullptr);
  QCoreApplication::processEvents();
  FlushUnloaded();
  EXPECT_EQ(g_events.alive, 0);
}

TEST_F(FormTest, UnloadAllGoesFromTheMostRecentlyLoaded) {
  Default<Dialog>();
  Default<Second>();
  g_events.seen.clear();
  UnloadAll();
  EXPECT_EQ(g_events.seen, (std::vector<std::string>{"Unload Second", "QueryUnload code", "Unload"}));
  EXPECT_TRUE(LoadedForms().empty());
}

TEST_F(FormTest, PositionsAndSizesAreTwipsOfTheClientArea) {
  Dialog& dialog = Default<Dialog>();
  dialog.setBorderStyle(BorderStyle::FixedToolWindow);
  dialog.Move(6585, 1920, 3480, 360);
  EXPECT_EQ(dialog.window().geometry(), QRect(439, 128, 232, 24));
  EXPECT_TRUE(dialog.window().windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(dialog.window().minimumSize(), dialog.window().maximumSize());
}

TEST_F(FormTest, MouseUpOverTheFormHandsOverButtonShiftAndTwips) {
  struct Surface : Dialog {
    void Form_MouseUp(int button, int shift, float x, float y) override {
      g_events.seen.push_back(std::to_string(button) + " " + std::to_string(shift) + " " +
                              std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    }
  };
  Surface& surface = Default<Surface>();
  surface.Move(0, 0, 3000, 3000);
  surface.Command1.Move(0, 0, 600, 300);
  surface.Text1.Move(0, 300, 600, 300);
  surface.Command1.setFocusFirst();
  surface.Show();
  EXPECT_EQ(surface.window().focusWidget(), surface.Command1.widget());
  const QPointF at(100, 60);
  QMouseEvent release(QEvent::MouseButtonRelease, at, surface.window().mapToGlobal(at), Qt::RightButton,
                      Qt::NoButton, Qt::ControlModifier);
  QApplication::sendEvent(&surface.window(), &release);
  EXPECT_EQ(g_events.seen.back(), "2 2 1500 900");
}

TEST_F(FormTest, ShownAndClosedFormsAreLogged) {
  const testing::CapturedLog log;
  Default<Dialog>().Show();
  Unload(Default<Dialog>());
  const auto entries = log.entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].dump(), R"({"action":"shown","event":"form","form":"Dialog","program":"ui_test"})");
  EXPECT_EQ(entries[1]["action"], "closed");
}

// The toolbar's place: 439 and 128 pixels, 232 × 24.
TEST_F(FormTest, AWindowThatWouldOpenUnderATopmostWindowOpensBelowIt) {
  Second& toolbar = Default<Second>();
  toolbar.Move(6585, 1920, 3480, 360);
  Use<WindowStyles>().SetTopmost(toolbar);
  toolbar.Show();
  Dialog& below = Default<Dialog>();
  below.Move(3000, 2400, 6300, 3960);
  below.Show();
  const QRect toolbarFrame = toolbar.window().frameGeometry();
  const QRect shown = below.window().geometry();
  EXPECT_EQ(shown.left(), 200);
  EXPECT_EQ(shown.size(), QSize(420, 264));
  // Room for a title bar between the toolbar's frame and the window's first line.
  EXPECT_GT(shown.top() - toolbarFrame.bottom(), below.window().fontMetrics().height());

  // Clear of the toolbar, a window stays where it is asked to be; moved while open, it stays too.
  Unload(below);
  FlushUnloaded();
  Dialog& elsewhere = Default<Dialog>();
  elsewhere.Move(3000, 4500, 3000, 1500);
  elsewhere.Show();
  EXPECT_EQ(elsewhere.window().geometry().topLeft(), QPoint(200, 300));
  elsewhere.Move(3000, 1800, 3000, 1500);
  elsewhere.Show();
  EXPECT_EQ(elsewhere.window().geometry().topLeft(), QPoint(200, 120));
}

}  // namespace
}  // namespace ui
