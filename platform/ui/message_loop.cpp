#include "platform/ui/message_loop.h"

#include <deque>
#include <vector>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QWheelEvent>
#include <QWidget>

#include "platform/ui/script.h"

namespace ui {

namespace {

// One running loop and the messages it has been handed but not yet taken.
struct Loop {
  Form* window = nullptr;    // hot-key loop
  QWidget* control = nullptr;  // wheel loop
  int qtLevel = 0;           // Qt's nesting of exec() loops when the loop started
  std::deque<HotKeyMessage> hotKeys;
  std::deque<int> wheels;
};

std::vector<Loop*>& Running() {
  static std::vector<Loop*> loops;
  return loops;
}

// The loop whose step "process every pending event" is under way, unless a modal loop (a
// message box, a menu) runs nested inside it.
Loop* Innermost() {
  if (Running().empty()) return nullptr;
  Loop* loop = Running().back();
  return loop->qtLevel == QThread::currentThread()->loopLevel() ? loop : nullptr;
}

class WheelTaker : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::Wheel) return false;
    Loop* loop = Innermost();
    auto* widget = qobject_cast<QWidget*>(target);
    if (loop == nullptr || loop->control == nullptr || widget == nullptr) return false;
    if (widget != loop->control && !loop->control->isAncestorOf(widget)) return false;
    loop->wheels.push_back(static_cast<QWheelEvent*>(event)->angleDelta().y());
    return true;
  }
};

template <class Take>
void Run(Loop& loop, const bool& stop, Take take) {
  loop.qtLevel = QThread::currentThread()->loopLevel();
  Running().push_back(&loop);
  struct Pop {
    ~Pop() { Running().pop_back(); }
  } pop;
  while (!stop) {
    // A message handed over while the loop was busy counts as the new message it waits for.
    const bool pending = !loop.hotKeys.empty() || !loop.wheels.empty();
    if (!pending) {
      Script::LoopWaiting();
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    take();
    if (stop) break;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

}  // namespace

void RunHotKeyLoop(Form& window, const bool& stop, const std::function<void(const HotKeyMessage&)>& onHotKey) {
  Loop loop;
  loop.window = &window;
  Run(loop, stop, [&] {
    if (loop.hotKeys.empty()) return;
    const HotKeyMessage message = loop.hotKeys.front();
    loop.hotKeys.pop_front();
    onHotKey(message);
  });
}

void RunWheelLoop(QWidget& control, const bool& stop, const std::function<void(int)>& onWheel) {
  Loop loop;
  loop.control = &control;
  WheelTaker taker;
  QCoreApplication::instance()->installEventFilter(&taker);
  struct Remove {
    WheelTaker& taker;
    ~Remove() { QCoreApplication::instance()->removeEventFilter(&taker); }
  } remove{taker};
  Run(loop, stop, [&] {
    if (loop.wheels.empty()) return;
    const int distance = loop.wheels.front();
    loop.wheels.pop_front();
    onWheel(distance);
  });
}

// Only the innermost loop can take its messages now; an outer one waits for it to end.
bool MessagesWaiting() {
  const Loop* loop = Running().empty() ? nullptr : Running().back();
  return loop != nullptr && (!loop->hotKeys.empty() || !loop->wheels.empty());
}

void DeliverHotKey(Form& window, const HotKeyMessage& message) {
  Loop* loop = Innermost();
  if (loop == nullptr || loop->window != &window) return;
  loop->hotKeys.push_back(message);
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

}  // namespace ui
