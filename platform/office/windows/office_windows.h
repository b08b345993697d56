#pragma once
// The windows of every running application of the office host, created when an application
// starts and dropped when it quits, brought up to date once a burst of programs' calls is over.

#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/office/host/server.h"
#include "platform/office/windows/application_windows.h"

namespace office::windows {

class OfficeWindows : public HostWindows {
 public:
  // userActed: after the user changed something through a window and the windows caught up.
  OfficeWindows(RunningObjectTable& table, std::function<void()> userActed);
  ~OfficeWindows() override;

  void Served() override;
  std::vector<std::string> SaveScreenshots(const std::string& prefix) override;
  bool Perform(std::string_view progid, const std::vector<std::string>& action) override;

  // Now: a window set for each running application, none for one that quit, each up to date.
  void Sync();

 private:
  struct Entry {
    std::weak_ptr<Application> app;
    std::unique_ptr<ApplicationWindows> windows;
  };
  std::unique_ptr<ApplicationWindows> WindowsFor(const std::shared_ptr<Application>& app);
  void AfterUserAction();

  RunningObjectTable& table_;
  std::function<void()> userActed_;
  std::vector<Entry> entries_;
  QTimer quiet_;    // restarted by every request: runs out when the programs pause
  QTimer catchUp_;  // started by the first request since the last catch-up
};

}  // namespace office::windows
