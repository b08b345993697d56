#include "platform/office/windows/office_windows.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

#include "platform/office/windows/access/access_windows.h"
#include "platform/office/windows/excel/excel_windows.h"
#include "platform/office/windows/recovery_offer.h"
#include "platform/office/windows/word/word_windows.h"

namespace office::windows {
namespace {

// Programs make thousands of calls in a refresh, each changing a little: the windows catch up
// once the burst is over (the programs have left the host idle this long), or during a long one
// at most at this pace, never call by call.
constexpr int kQuietMilliseconds = 40;
constexpr int kCatchUpMilliseconds = 250;
// A catch-up of a large document takes long: during a burst the programs are then served at least
// this many times as long as the windows took.
constexpr int kServedPerCatchUp = 4;
constexpr int kSlowestCatchUpMilliseconds = 2000;
// Before a screenshot (the tests' operation).
constexpr int kSettleMilliseconds = 200;

}  // namespace

OfficeWindows::OfficeWindows(RunningObjectTable& table, std::function<void()> userActed)
    : table_(table), userActed_(std::move(userActed)) {
  for (auto [timer, interval] : {std::pair{&quiet_, kQuietMilliseconds}, std::pair{&catchUp_, kCatchUpMilliseconds}}) {
    timer->setSingleShot(true);
    timer->setInterval(interval);
    QObject::connect(timer, &QTimer::timeout, [this] { Sync(); });
  }
}

OfficeWindows::~OfficeWindows() = default;

void OfficeWindows::Served() {
  quiet_.start();
  if (!catchUp_.isActive()) catchUp_.start();
}

std::unique_ptr<ApplicationWindows> OfficeWindows::WindowsFor(const std::shared_ptr<Application>& app) {
  const UserActed acted = [this] { AfterUserAction(); };
  if (auto excel = std::dynamic_pointer_cast<excel::ExcelApplication>(app)) return MakeExcelWindows(excel, acted);
  if (auto word = std::dynamic_pointer_cast<word::WordApplication>(app)) return MakeWordWindows(word, acted);
  if (auto access = std::dynamic_pointer_cast<access::AccessApplication>(app)) return MakeAccessWindows(access, acted);
  return nullptr;
}

void OfficeWindows::Sync() {
  quiet_.stop();
  catchUp_.stop();
  QElapsedTimer took;
  took.start();
  const auto& running = table_.Applications();
  std::erase_if(entries_, [&](const Entry& e) {
    const auto app = e.app.lock();
    return !app || app->hasQuit() ||
           std::none_of(running.begin(), running.end(), [&](const auto& r) { return r->application == app; });
  });
  for (const auto& r : running) {
    if (r->application->hasQuit()) continue;
    const bool known = std::any_of(entries_.begin(), entries_.end(),
                                   [&](const Entry& e) { return e.app.lock() == r->application; });
    if (!known)
      if (auto windows = OfferingRecoveredCopies(WindowsFor(r->application), r->application))
        entries_.push_back({r->application, std::move(windows)});
  }
  for (auto& e : entries_) e.windows->Sync();
  catchUp_.setInterval(static_cast<int>(
      std::clamp<qint64>(kServedPerCatchUp * took.elapsed(), kCatchUpMilliseconds, kSlowestCatchUpMilliseconds)));
}

// After the handler that reported it has returned: the window it runs in may be the one to go.
void OfficeWindows::AfterUserAction() {
  QTimer::singleShot(0, &catchUp_, [this] {
    table_.Sweep();
    Sync();
    userActed_();
  });
}

std::vector<std::string> OfficeWindows::SaveScreenshots(const std::string& prefix) {
  Sync();
  // The windows settle as a person sees them a moment later: focus, the layout that the views do
  // in steps, scroll bars. No request is served meanwhile.
  QElapsedTimer settling;
  settling.start();
  while (settling.elapsed() < kSettleMilliseconds)
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers, kSettleMilliseconds);
  std::vector<std::string> files;
  for (const auto& e : entries_)
    for (QWidget* window : e.windows->Shown()) {
      const std::string file = prefix + "-" + std::to_string(files.size() + 1) + ".png";
      if (window->grab().save(QString::fromStdString(file))) files.push_back(file);
    }
  return files;
}

bool OfficeWindows::Perform(std::string_view progid, const std::vector<std::string>& action) {
  Sync();
  const auto running = table_.Running(progid);
  for (auto& e : entries_)
    if (e.app.lock() == running->application) return e.windows->Perform(action);
  return false;
}

}  // namespace office::windows
