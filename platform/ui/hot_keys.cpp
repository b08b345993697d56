#include "platform/ui/hot_keys.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>

#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>

#include "platform/ui/form.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/standin_log.h"
#include "platform/ui/x11_hot_keys.h"

namespace ui {

namespace {

std::string SessionFolder() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  const QString base = runtime.isEmpty() ? QDir::tempPath() + "/qorvane-" + QString::number(getuid()) : QString(runtime);
  return (base + "/qorvane-hotkeys").toStdString();
}

// Key presses in the program's own windows reach a combination of the session registry.
class OwnWindowKeys : public QObject {
 public:
  explicit OwnWindowKeys(HotKeys& keys) : keys_(keys) { QCoreApplication::instance()->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers m = key->modifiers();
    const int modifiers = (m & Qt::ControlModifier ? kModControl : 0) | (m & Qt::AltModifier ? kModAlt : 0) |
                          (m & Qt::ShiftModifier ? kModShift : 0);
    const int k = key->key();
    const bool letterOrDigit = (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9);
    return modifiers != 0 && letterOrDigit && keys_.Press(modifiers, k);  // Qt's codes are the virtual keys here
  }

 private:
  HotKeys& keys_;
};

}  // namespace

std::unique_ptr<HotKeys> HotKeys::MakeDefault() {
  if (QGuiApplication::platformName() == "xcb") {
    if (auto grabbed = MakeX11HotKeys()) return grabbed;
  }
  return std::make_unique<SessionHotKeys>(SessionFolder());
}

bool HotKeys::Register(Form& window, int id, int modifiers, int virtualKey) {
  bool held = false;
  for (const Registration& r : registered_) held = held || (r.modifiers == modifiers && r.key == virtualKey);
  const bool registered = !held && Acquire(modifiers, virtualKey);
  if (registered) registered_.push_back({&window, id, modifiers, virtualKey});
  LogEvent("hotkey", {{"form", window.name()}, {"id", id}, {"modifiers", modifiers}, {"key", virtualKey},
                      {"registered", registered}});
  return registered;
}

bool HotKeys::Press(int modifiers, int virtualKey) {
  for (const Registration& r : registered_) {
    if (r.modifiers != modifiers || r.key != virtualKey) continue;
    DeliverHotKey(*r.window, {r.id, modifiers, virtualKey});
    return true;
  }
  return false;
}

SessionHotKeys::SessionHotKeys(std::string folder) : folder_(std::move(folder)) {
  QDir().mkpath(QString::fromStdString(folder_));
  if (QCoreApplication::instance() != nullptr) ownWindowKeys_ = std::make_unique<OwnWindowKeys>(*this);
}

SessionHotKeys::~SessionHotKeys() {
  for (int fd : locks_) close(fd);
}

// A lock that the system gives back when the process ends, however it ends.
bool SessionHotKeys::Acquire(int modifiers, int virtualKey) {
  const std::string path = folder_ + "/" + std::to_string(modifiers) + "-" + std::to_string(virtualKey) + ".lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return false;
  }
  locks_.push_back(fd);
  return true;
}

bool ParseHotKey(const std::string& text, int& modifiers, int& virtualKey) {
  modifiers = 0;
  std::string rest = text;
  for (std::size_t plus; (plus = rest.find('+')) != std::string::npos; rest = rest.substr(plus + 1)) {
    std::string name = rest.substr(0, plus);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "CTRL") modifiers |= kModControl;
    else if (name == "ALT") modifiers |= kModAlt;
    else if (name == "SHIFT") modifiers |= kModShift;
    else return false;
  }
  if (rest.size() != 1 || !std::isalnum(static_cast<unsigned char>(rest[0]))) return false;
  virtualKey = std::toupper(static_cast<unsigned char>(rest[0]));
  return modifiers != 0;
}

}  // namespace ui
