#include "platform/office/windows/host_loop.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdlib>
#include <map>

#include "platform/office/windows/office_windows.h"

namespace office::windows {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Qt ends a program whose X display does not answer; such a host serves without windows.
bool XDisplayAnswers() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

// One notifier for reading and one for writing each watched descriptor, as Watched asks.
class Notifiers {
 public:
  explicit Notifiers(std::function<void()> ready) : ready_(std::move(ready)) {}
  ~Notifiers() {
    for (auto& [fd, pair] : byFd_) delete pair.read, delete pair.write;
  }
  Notifiers(const Notifiers&) = delete;
  Notifiers& operator=(const Notifiers&) = delete;

  // Until the next Follow: no descriptor is waited on.
  void Pause() {
    for (auto& [fd, pair] : byFd_) pair.read->setEnabled(false), pair.write->setEnabled(false);
  }

  void Follow(const std::vector<pollfd>& watched) {
    std::map<int, short> wanted;
    for (const pollfd& p : watched) wanted[p.fd] = p.events;
    for (auto it = byFd_.begin(); it != byFd_.end();) {
      if (wanted.count(it->first)) {
        ++it;
        continue;
      }
      Retire(it->second.read);  // its descriptor is closed: not one more wait on it
      Retire(it->second.write);
      it = byFd_.erase(it);
    }
    for (const auto& [fd, events] : wanted) {
      Pair& pair = byFd_[fd];
      if (!pair.read) pair.read = Make(fd, QSocketNotifier::Read);
      if (!pair.write) pair.write = Make(fd, QSocketNotifier::Write);
      pair.read->setEnabled(events & POLLIN);
      pair.write->setEnabled(events & POLLOUT);
    }
  }

 private:
  struct Pair {
    QSocketNotifier* read = nullptr;
    QSocketNotifier* write = nullptr;
  };
  QSocketNotifier* Make(int fd, QSocketNotifier::Type type) {
    auto* notifier = new QSocketNotifier(fd, type);
    QObject::connect(notifier, &QSocketNotifier::activated, [this] { ready_(); });
    return notifier;
  }
  // Deleted later: it may be the notifier whose signal is being handled.
  static void Retire(QSocketNotifier* notifier) {
    notifier->setEnabled(false);
    notifier->deleteLater();
  }

  std::function<void()> ready_;
  std::map<int, Pair> byFd_;
};

}  // namespace

bool HostHasDisplay() {
  if (Set("QT_QPA_PLATFORM") || Set("WAYLAND_DISPLAY")) return true;
  return Set("DISPLAY") && XDisplayAnswers();
}

void WaitWithWindows(HostServer& server) {
  QTimer idle;
  idle.setSingleShot(true);
  idle.setInterval(kIdleMilliseconds);
  QObject::connect(&idle, &QTimer::timeout, [&] {
    if (server.Idle()) QCoreApplication::exit(0);
  });
  const auto watchIdle = [&] {
    if (!server.Idle()) idle.stop();
    else if (!idle.isActive()) idle.start();
  };
  OfficeWindows windows(server.table(), watchIdle);
  server.SetWindows(&windows);

  std::function<void()> serveReady;
  Notifiers notifiers([&] { serveReady(); });
  bool serving = false;
  serveReady = [&] {
    // A request that runs an event loop of its own (the screenshots' settling; the glib dispatcher
    // delivers socket notifications there whatever the loop's flags say) is one round: what became
    // ready meanwhile waits for the next round, which Follow arms again.
    if (serving) return notifiers.Pause();
    serving = true;
    std::vector<pollfd> fds = server.Watched();
    if (poll(fds.data(), fds.size(), 0) > 0) server.Serve(fds);
    serving = false;
    notifiers.Follow(server.Watched());
    watchIdle();
  };
  notifiers.Follow(server.Watched());
  watchIdle();
  QCoreApplication::exec();
  server.SetWindows(nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace office::windows
