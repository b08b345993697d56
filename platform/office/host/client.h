#pragma once
// How a program reaches the stand-in Office: the running applications of the user's office host,
// or, while an InProcessOffice exists, applications held in this process (unit tests).
//
// A call waits for its answer while the host lives, however busy it is; a host that is gone makes
// the call fail with kHostUnavailable at once, and every later call through objects from that host
// fails the same way.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"
#include "platform/office/host/running_objects.h"

namespace office {

inline constexpr long kHostUnavailable = automation::errors::kRemoteServerUnavailable;
inline constexpr const char* kHostUnavailableText = "The remote server machine does not exist or is unavailable";

// The running application of that identifier; Cannot create object (429) when none runs.
automation::Object GetRunningObject(std::string_view progid);
// A new application object, invisible; starts officehost from the program folder when none answers.
automation::Object CreateObject(std::string_view progid);
// Whether an application of that identifier runs; never starts the host.
bool IsApplicationRunning(std::string_view progid);

struct ApplicationStatus {
  std::string progid;
  bool visible = false;
};
std::vector<ApplicationStatus> RunningApplications();  // never starts the host

// The eyes and hands of end-to-end tests on the windows of a host that has a display: each
// shown window saved as PREFIX-N.png (the files written), and a user's action in the windows of
// a running application. Error 440 from a host without windows or for an unknown action.
std::vector<std::string> SaveWindowScreenshots(const std::string& prefix);
void PerformUserAction(std::string_view progid, const std::vector<std::string>& action);
// The requests the host of a test has served since it started, by operation ("invoke", "chain",
// "release", ...); this request itself counted. Error 440 from a host that is not a test's.
std::map<std::string, std::int64_t> HostRequestCounts();

// While one exists, the calls above use this table in this process and no socket.
class InProcessOffice {
 public:
  explicit InProcessOffice(ApplicationRegistry registry);
  ~InProcessOffice();
  InProcessOffice(const InProcessOffice&) = delete;
  InProcessOffice& operator=(const InProcessOffice&) = delete;

  RunningObjectTable& table() { return table_; }

 private:
  RunningObjectTable table_;
};

}  // namespace office
