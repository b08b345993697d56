#include "platform/office/windows/office_windows.h"

#include <QWidget>

#include <algorithm>

#include "platform/office/windows/access/access_windows.h"
#include "platform/office/windows/excel/excel_windows.h"
#include "platform/office/windows/recovery_offer.h"
#include "platform/office/windows/word/word_windows.h"

namespace office::windows {
namespace {

// Programs make thousands of calls in a refresh: the windows follow at this pace, not call by call.
constexpr int kCatchUpMilliseconds = 100;

}  // namespace

OfficeWindows::OfficeWindows(RunningObjectTable& table, std::function<void()> userActed)
    : table_(table), userActed_(std::move(userActed)) {
  catchUp_.setSingleShot(true);
  catchUp_.setInterval(kCatchUpMilliseconds);
  QObject::connect(&catchUp_, &QTimer::timeout, [this] { Sync(); });
}

OfficeWindows::~OfficeWindows() = default;

void OfficeWindows::Served() {
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
  catchUp_.stop();
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
