#pragma once
// The office host: serves the registered applications to the user's programs over the local
// socket, one call at a time in arrival order, until no application runs and no client is left.

#include <poll.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/office/host/running_objects.h"
#include "platform/office/host/wire.h"

namespace office {

// With no application and no client the host ends after this pause: a program that has just
// started it, or probes it, does not find it gone.
inline constexpr int kIdleMilliseconds = 2000;

// The windows of the running applications, when the host has a display.
class HostWindows {
 public:
  virtual ~HostWindows() = default;
  // Requests were served: the windows catch up with what the programs did.
  virtual void Served() = 0;
  // Each shown window saved as PRefix-N.png; the files written.
  virtual std::vector<std::string> SaveScreenshots(const std::string& prefix) = 0;
  // A user's action in the windows of the running application of that identifier.
  virtual bool Perform(std::string_view progid, const std::vector<std::string>& action) = 0;
};

// Work of the host beside its clients, woken by a descriptor of its own (a timer).
class HostTask {
 public:
  virtual ~HostTask() = default;
  virtual int Descriptor() const = 0;
  virtual void Ready() = 0;
  // A round of requests was served.
  virtual void Served() = 0;
};

struct HostClient;

class HostServer {
 public:
  HostServer(ApplicationRegistry registry, int listener);
  ~HostServer();
  HostServer(const HostServer&) = delete;
  HostServer& operator=(const HostServer&) = delete;

  // The descriptors to wait on; Serve takes them back with what poll found ready.
  std::vector<pollfd> Watched() const;
  void Serve(const std::vector<pollfd>& ready);
  bool Idle() const { return clients_.empty() && table_.Applications().empty(); }

  RunningObjectTable& table() { return table_; }
  void SetWindows(HostWindows* windows) { windows_ = windows; }
  void SetTask(HostTask* task) { task_ = task; }
  // The tests' eyes and hands (screenshot, perform) and the count of the requests served by
  // operation (requests) are served only with a folder for their files.
  void ServeTestOperations(std::string screenshotFolder) { testFolder_ = std::move(screenshotFolder); }

 private:
  void Accept();
  void Read(HostClient& c);
  void Flush(HostClient& c);
  void Drop(HostClient& c);
  wire::json Answer(HostClient& c, const wire::json& request);
  wire::json Invoke(HostClient& c, const wire::json& request);
  wire::json WindowRequest(const std::string& op, const wire::json& request);
  void Release(HostClient& c, const wire::json& request);
  std::int64_t Export(HostClient& c, const automation::Object& object, const std::shared_ptr<RunningApplication>& app);

  RunningObjectTable table_;
  int listener_;
  std::vector<std::unique_ptr<HostClient>> clients_;
  HostWindows* windows_ = nullptr;
  HostTask* task_ = nullptr;
  std::string testFolder_;
  std::map<std::string, std::int64_t> requests_;  // by operation, since the host started
};

// How the host waits for its clients: poll alone, or a window system's loop that also shows the
// applications' windows. It returns once the host has been idle for the pause.
using HostLoop = std::function<void(HostServer&)>;
void WaitWithPoll(HostServer& server);

// Set by the tests for the hosts they start: the folder that screenshots may be written to.
inline constexpr const char* kTestFolderVariable = "OFFICEHOST_TEST_FOLDER";
// Set by a client that starts the host: a descriptor on which the host says why it cannot serve,
// and which it closes once it serves (or gives way to a host that does).
inline constexpr const char* kStatusDescriptorVariable = "OFFICEHOST_STATUS_FD";

// The host's whole run; the exit status of the officehost process. A second host started while
// one serves the same socket ends with 0, so that racing creators share one host.
int RunOfficeHost(ApplicationRegistry registry, const HostLoop& loop = WaitWithPoll);

}  // namespace office
