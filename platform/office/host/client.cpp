#include "platform/office/host/client.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/office/host/local_socket.h"
#include "platform/office/host/remote_connection.h"
#include "platform/office/host/server.h"
#include "platform/runtime/program_folder.h"

extern char** environ;

namespace office {
namespace {

using automation::Object;
using wire::json;

constexpr auto kStartTimeout = std::chrono::seconds(5);

InProcessOffice* inProcess = nullptr;

// ---- in this process

// Counts as a reference for the lifetime rule while any copy of the object lives.
struct Reference {
  explicit Reference(std::shared_ptr<RunningApplication> a) : app(std::move(a)) { ++app->references; }
  ~Reference() { --app->references; }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;
  std::shared_ptr<RunningApplication> app;
};

Object Referenced(std::shared_ptr<RunningApplication> app) {
  auto reference = std::make_shared<Reference>(app);
  return Object(std::shared_ptr<automation::Dispatch>(reference, app->application.get()));
}

RunningObjectTable& LocalTable() {
  inProcess->table().Sweep();
  return inProcess->table();
}

// ---- through the host

std::shared_ptr<RemoteConnection> current;

std::shared_ptr<RemoteConnection> Connection() {
  const std::string path = SocketPath();
  if (!current || current->broken() || current->path() != path) current = RemoteConnection::Open(path);
  return current;
}

// Detached and in a session of its own, so that the host outlives the program that started it.
// The host writes why it cannot serve into the pipe whose reading end this returns (-1: none).
int StartHost(const std::string& program) {
  int status[2];
  if (pipe2(status, O_CLOEXEC) != 0) status[0] = status[1] = -1;
  // Made before the fork: the child only calls what is safe there.
  const std::string variable = std::string(kStatusDescriptorVariable) + "=";
  std::vector<std::string> environment;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, variable.c_str(), variable.size()) != 0) environment.emplace_back(*e);
  if (status[1] >= 0) environment.push_back(variable + "3");
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      const int null = open("/dev/null", O_RDWR);
      for (int fd = 0; fd < 3; ++fd) dup2(null, fd);
      if (status[1] >= 0) dup2(status[1], 3);  // dup2 leaves the copy open across exec
      close_range(4, ~0U, 0);
      char* argv[] = {const_cast<char*>("officehost"), nullptr};
      execve(program.c_str(), argv, envp.data());
    }
    _exit(0);
  }
  if (status[1] >= 0) close(status[1]);
  if (child > 0) waitpid(child, nullptr, 0);
  return status[0];
}

// What the host said before it closed its status pipe: empty when it serves.
std::string RefusalOf(int status, std::chrono::steady_clock::time_point deadline) {
  std::string said;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd p{status, POLLIN, 0};
    const int ready = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count()) + 1) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return said;
    char buffer[512];
    const ssize_t n = read(status, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return said;
    said.append(buffer, static_cast<std::size_t>(n));
  }
}

std::shared_ptr<RemoteConnection> ConnectionStartingHost() {
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  if (auto connection = Connection()) return connection;
  const std::string program = runtime::ProgramFolder() + "/officehost";
  if (access(program.c_str(), X_OK) != 0)
    automation::Raise(automation::errors::kCannotCreateObject, "ActiveX component can't create object: " + program + " not found");
  if (const int status = StartHost(program); status >= 0) {
    const std::string refusal = RefusalOf(status, deadline);
    close(status);
    if (!refusal.empty())
      automation::Raise(automation::errors::kCannotCreateObject, "ActiveX component can't create object: officehost did not start: " + refusal);
  }
  while (std::chrono::steady_clock::now() < deadline) {
    if (auto connection = Connection()) return connection;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  automation::Raise(automation::errors::kCannotCreateObject, "ActiveX component can't create object: officehost did not start");
}

json ProgidRequest(const char* op, std::string_view progid) { return {{"op", op}, {"progid", std::string(progid)}}; }

// Asks the host; a connection whose host has gone since its last call is replaced once (a host
// that is there but silent is not asked again).
template <class F, class NoHost>
auto AskHost(bool start, F ask, NoHost noHost) {
  for (bool retried = false;; retried = true) {
    const auto connection = start ? ConnectionStartingHost() : Connection();
    if (!connection) return noHost();
    try {
      return ask(*connection);
    } catch (const automation::Error& e) {
      if (retried || e.number() != kHostUnavailable || !connection->broken()) throw;
    }
  }
}

}  // namespace

Object GetRunningObject(std::string_view progid) {
  if (inProcess) return Referenced(LocalTable().Running(progid));
  return AskHost(
      false, [&](RemoteConnection& c) { return c.Call(ProgidRequest("running", progid)).toObject(); },
      []() -> Object { automation::Raise(automation::errors::kCannotCreateObject); });
}

Object CreateObject(std::string_view progid) {
  if (inProcess) return Referenced(LocalTable().Create(progid));
  return AskHost(
      true, [&](RemoteConnection& c) { return c.Call(ProgidRequest("create", progid)).toObject(); },
      [] { return Object(); });
}

bool IsApplicationRunning(std::string_view progid) {
  if (inProcess) return LocalTable().IsRunning(progid);
  return AskHost(
      false, [&](RemoteConnection& c) { return c.Call(ProgidRequest("isRunning", progid)).toBool(); },
      [] { return false; });
}

std::vector<ApplicationStatus> RunningApplications() {
  std::vector<ApplicationStatus> out;
  if (inProcess) {
    for (const auto& app : LocalTable().Applications())
      if (!app->application->hasQuit()) out.push_back({app->progid, app->application->visible()});
    return out;
  }
  return AskHost(
      false,
      [&](RemoteConnection& c) {
        for (const auto& app : c.CallRaw({{"op", "status"}}))
          out.push_back({app.at(0).get<std::string>(), app.at(1).get<bool>()});
        return out;
      },
      [&] { return out; });
}

std::vector<std::string> SaveWindowScreenshots(const std::string& prefix) {
  return AskHost(
      false,
      [&](RemoteConnection& c) {
        return c.CallRaw({{"op", "screenshot"}, {"prefix", prefix}}).get<std::vector<std::string>>();
      },
      []() -> std::vector<std::string> { automation::Raise(automation::errors::kCannotCreateObject); });
}

void PerformUserAction(std::string_view progid, const std::vector<std::string>& action) {
  AskHost(
      false,
      [&](RemoteConnection& c) {
        c.Call({{"op", "perform"}, {"progid", std::string(progid)}, {"action", action}});
        return true;
      },
      []() -> bool { automation::Raise(automation::errors::kCannotCreateObject); });
}

std::map<std::string, std::int64_t> HostRequestCounts() {
  return AskHost(
      false,
      [](RemoteConnection& c) { return c.CallRaw({{"op", "requests"}}).get<std::map<std::string, std::int64_t>>(); },
      []() -> std::map<std::string, std::int64_t> { automation::Raise(automation::errors::kCannotCreateObject); });
}

InProcessOffice::InProcessOffice(ApplicationRegistry registry) : table_(std::move(registry)) { inProcess = this; }
InProcessOffice::~InProcessOffice() { inProcess = nullptr; }

}  // namespace office
