#include "common/gridwheel/grid_wheel.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <functional>

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include "platform/data/adodc.h"
#include "platform/data/data_grid.h"
#include "platform/data/test_database.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"
#include "platform/ui/message_loop.h"

namespace gridwheel {
namespace {

class Window : public ui::Form {
 public:
  Window() : Form("Window") {
    Move(0, 0, 6000, 2400);
    DataGrid1.Move(0, 0, 6000, 1500);
    Text1.Move(0, 1800, 3000, 300);
  }
  void Form_Unload(int&) override { loop.stop = true; }
  data::Adodc Adodc1{*this, "Adodc1"};
  data::DataGrid DataGrid1{*this, "DataGrid1"};
  ui::TextBox Text1{*this, "Text1"};
  WheelLoop loop;
};

// Counts the wheel messages that reach a widget.
class WheelCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Wheel) ++count;
    return false;
  }
  int count = 0;
};

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class GridWheelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_.AddNumbered(10);
    db_.Show(w().Adodc1, w().DataGrid1);
    w().Show();
  }
  void TearDown() override { ui::UnloadAll(); }
  static Window& w() { return ui::Default<Window>(); }

  static void Notches(QWidget& target, int count, bool towardUser) {
    QWidget* widget = &target;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) widget = area->viewport();
    for (int i = 0; i < count; ++i) {
      const QPointF centre = QRectF(widget->rect()).center();
      QWheelEvent notch(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, towardUser ? -120 : 120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(widget, &notch);
    }
  }
  // Runs the window's loop while the actions happen one after another, each once the loop has
  // taken every message the one before handed it, then unloads the window.
  static void RunLoop(std::vector<std::function<void()>> actions) {
    std::size_t next = 0;
    QTimer step;
    QObject::connect(&step, &QTimer::timeout, [&] {
      if (ui::MessagesWaiting()) return;
      if (next < actions.size()) {
        actions[next++]();
      } else {
        step.stop();
        ui::Unload(w());
      }
    });
    step.start(10);
    ScrollGridByWheel(w().DataGrid1, w().Adodc1, w().loop);
  }

  QTemporaryDir dir_;
  data::testing::TestDatabase db_{dir_.filePath("db.mdb").toStdString()};
};

TEST_F(GridWheelTest, OneRowPerNotchNeverPastTheEnds) {
  std::vector<int> rows;
  const auto note = [&rows] { rows.push_back(w().DataGrid1.Bookmark()); };
  QWidget& grid = w().DataGrid1.hWnd();
  RunLoop({[&] { Notches(grid, 3, true); }, note, [&] { Notches(grid, 3, false); }, note,
           [&] { Notches(grid, 2, false); }, note, [] { w().DataGrid1.setBookmark(10); },
           [&] { Notches(grid, 1, true); }, note});
  EXPECT_EQ(rows, (std::vector<int>{4, 1, 1, 10}));
  EXPECT_FALSE(w().loop.running);
}

TEST_F(GridWheelTest, OtherWindowsGetTheirWheelMessages) {
  WheelCounter counter;
  auto* edit = static_cast<QLineEdit*>(w().Text1.widget());
  edit->installEventFilter(&counter);
  int row = 0;
  RunLoop({[&] { Notches(*edit, 2, true); }, [&] { row = w().DataGrid1.Bookmark(); }});
  EXPECT_EQ(counter.count, 2);
  EXPECT_EQ(row, 1);
}

TEST_F(GridWheelTest, ASecondActivationReturnsAtOnceAndTheUnloadEndsTheLoop) {
  bool nestedReturned = false;
  RunLoop({[&] {
    ScrollGridByWheel(w().DataGrid1, w().Adodc1, w().loop);
    nestedReturned = true;
  }});
  EXPECT_TRUE(nestedReturned);  // and the outer loop ended with the unload, or the test would hang
}

TEST_F(GridWheelTest, AnIdleLoopTakesNoProcessorTime) {
  double used = 0;
  const double start = ProcessorSeconds();
  QTimer::singleShot(1000, [&] {
    used = ProcessorSeconds() - start;
    ui::Unload(w());
  });
  ScrollGridByWheel(w().DataGrid1, w().Adodc1, w().loop);
  EXPECT_LT(used, 0.2);
}

}  // namespace
}  // namespace gridwheel
