#include "platform/office/host/server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <csignal>
#include <cstring>
#include <iostream>
#include <memory>
#include <set>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "platform/office/host/local_socket.h"
#include "platform/office/host/remote_connection.h"
#include "platform/office/host/wire.h"

namespace office {
namespace {

using automation::Dispatch;
using automation::Object;
using automation::Variant;
using wire::json;

// A request that is not understood; the answer says so and the host goes on.
constexpr long kMalformedRequest = 440;
constexpr auto kTakeOverSeconds = std::chrono::seconds(5);
constexpr std::size_t kMaxPendingOutput = 1u << 20;  // stop reading a client that does not read its answers
const std::set<std::string, std::less<>> kOperations{"hello",  "create", "running",    "isRunning", "status", "invoke",
                                                     "chain",  "release", "screenshot", "perform",   "requests"};

// Whether the client has closed its end: a request it left is then not worth serving.
bool HungUp(int fd) {
  pollfd p{fd, POLLRDHUP, 0};
  return poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

}  // namespace

struct HandleEntry {
  std::shared_ptr<Dispatch> target;
  std::shared_ptr<RunningApplication> app;
  std::int64_t count = 0;  // times sent and not yet released
};

struct HostClient {
  explicit HostClient(int f) : fd(f) {}
  ~HostClient() { close(fd); }
  HostClient(const HostClient&) = delete;
  HostClient& operator=(const HostClient&) = delete;

  HandleEntry& Entry(std::int64_t handle) {
    const auto it = handles.find(handle);
    if (it == handles.end()) automation::Raise(kMalformedRequest, "no object with handle " + std::to_string(handle));
    return it->second;
  }

  int fd;
  bool dead = false;
  wire::FrameReader reader;
  std::string output;
  std::unordered_map<std::int64_t, HandleEntry> handles;
  std::unordered_map<const Dispatch*, std::int64_t> handleOf;
  std::int64_t nextHandle = 1;
};

HostServer::HostServer(ApplicationRegistry registry, int listener) : table_(std::move(registry)), listener_(listener) {}
HostServer::~HostServer() = default;

std::vector<pollfd> HostServer::Watched() const {
  std::vector<pollfd> fds{pollfd{listener_, POLLIN, 0}};
  if (task_) fds.push_back(pollfd{task_->Descriptor(), POLLIN, 0});
  for (const auto& c : clients_) {
    short events = c->output.size() < kMaxPendingOutput ? POLLIN : 0;
    if (!c->output.empty()) events |= POLLOUT;
    fds.push_back(pollfd{c->fd, events, 0});
  }
  return fds;
}

void HostServer::Serve(const std::vector<pollfd>& fds) {
  const std::size_t first = task_ ? 2 : 1;  // the clients' descriptors follow the listener's and the task's
  const std::size_t served = fds.size() - first;  // clients accepted below wait for the next round
  if (fds[0].revents & POLLIN) Accept();
  for (std::size_t i = 0; i < served; ++i) {
    HostClient& c = *clients_[i];
    if (fds[i + first].revents & (POLLIN | POLLHUP | POLLERR)) Read(c);
    if (!c.dead && !c.output.empty()) Flush(c);
  }
  for (auto& c : clients_)
    if (c->dead) Drop(*c);
  std::erase_if(clients_, [](const auto& c) { return c->dead; });
  table_.Sweep();
  if (task_ && (fds[1].revents & POLLIN)) task_->Ready();
  if (task_) task_->Served();
  if (windows_) windows_->Served();
}

void WaitWithPoll(HostServer& server) {
  for (;;) {
    std::vector<pollfd> fds = server.Watched();
    const int ready = poll(fds.data(), fds.size(), server.Idle() ? kIdleMilliseconds : -1);
    if (ready == 0 && server.Idle()) return;
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll failed");
    }
    server.Serve(fds);
  }
}

void HostServer::Accept() {
  const int fd = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  if (!PeerIsSameUser(fd)) {
    close(fd);
    return;
  }
  clients_.push_back(std::make_unique<HostClient>(fd));
}

void HostServer::Read(HostClient& c) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = recv(c.fd, buffer, sizeof buffer, 0);
    if (n > 0) {
      c.reader.Append(buffer, static_cast<std::size_t>(n));
      if (static_cast<std::size_t>(n) < sizeof buffer) break;
      continue;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (n < 0 && errno == EINTR) continue;
    c.dead = true;  // end of stream or a broken connection
    break;
  }
  // The requests of a client that has gone are not carried out after the fact.
  for (;;) {
    if (c.dead || HungUp(c.fd)) {
      c.dead = true;
      return;
    }
    std::optional<json> request;
    try {
      request = c.reader.Next();
    } catch (const json::exception& e) {
      c.output += wire::EncodeFrame(wire::ErrorAnswer(kMalformedRequest, std::string("malformed request: ") + e.what()));
      continue;
    } catch (const std::length_error&) {
      c.dead = true;
      return;
    }
    if (!request) return;
    json answer = Answer(c, *request);
    table_.Sweep();  // before the next request is served, which may ask what runs
    if (!answer.is_null()) c.output += wire::EncodeFrame(answer);
  }
}

void HostServer::Flush(HostClient& c) {
  while (!c.output.empty()) {
    const ssize_t n = send(c.fd, c.output.data(), c.output.size(), MSG_NOSIGNAL);
    if (n > 0) {
      c.output.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) c.dead = true;
      return;
    }
  }
}

// A client that is gone releases everything it held.
void HostServer::Drop(HostClient& c) {
  for (auto& [handle, entry] : c.handles) --entry.app->references;
  c.handleOf.clear();
  c.handles.clear();
}

json HostServer::Answer(HostClient& c, const json& request) {
  try {
    const std::string op = request.at("op").get<std::string>();
    const auto progid = [&] { return request.at("progid").get<std::string>(); };
    const auto objectAnswer = [&](const std::shared_ptr<RunningApplication>& app) {
      return json{{"value", json::array({static_cast<int>(Variant::Kind::Object),
                                         Export(c, Object(app->application), app)})}};
    };
    ++requests_[kOperations.count(op) ? op : "unknown"];
    if (op == "invoke" || op == "chain") return Invoke(c, request);
    if (op == "release") {
      Release(c, request);
      return nullptr;
    }
    if (op == "hello") return json{{"value", json::array({static_cast<int>(Variant::Kind::Boolean), true})}};
    if (op == "create") return objectAnswer(table_.Create(progid()));
    if (op == "running") return objectAnswer(table_.Running(progid()));
    if (op == "isRunning")
      return json{{"value", json::array({static_cast<int>(Variant::Kind::Boolean), table_.IsRunning(progid())})}};
    if (op == "status") {
      json apps = json::array();
      for (const auto& app : table_.Applications())
        if (!app->application->hasQuit()) apps.push_back(json::array({app->progid, app->application->visible()}));
      return json{{"value", apps}};
    }
    if ((op == "screenshot" || op == "perform") && !testFolder_.empty()) return WindowRequest(op, request);
    if (op == "requests" && !testFolder_.empty()) return json{{"value", requests_}};
    return wire::ErrorAnswer(kMalformedRequest, "malformed request: unknown operation " + op);
  } catch (const automation::Error& e) {
    return wire::ErrorAnswer(e.number(), e.description());
  } catch (const json::exception& e) {
    return wire::ErrorAnswer(kMalformedRequest, std::string("malformed request: ") + e.what());
  } catch (const std::exception& e) {
    return wire::ErrorAnswer(kMalformedRequest, e.what());
  } catch (...) {
    return wire::ErrorAnswer(kMalformedRequest, "the application failed");
  }
}

json HostServer::Invoke(HostClient& c, const json& request) {
  HandleEntry& entry = c.Entry(request.at("handle").get<std::int64_t>());
  const auto target = entry.target;  // the call may release what the entry holds
  const auto app = entry.app;
  const wire::ObjectOf objectOf = [&](std::int64_t handle) { return Object(c.Entry(handle).target); };
  Variant result;
  if (request.at("op") == "chain") {
    result = target->InvokeChain(wire::DecodeSteps(request.at("steps"), objectOf));
  } else {
    const auto kind = request.at("kind").get<int>();
    if (kind < 0 || kind > static_cast<int>(automation::InvokeKind::Call))
      return wire::ErrorAnswer(kMalformedRequest, "malformed request: unknown invoke kind");
    const automation::Arguments args = wire::DecodeArguments(request.at("args"), objectOf);
    result = target->Invoke(request.at("member").get<std::string>(), static_cast<automation::InvokeKind>(kind), args);
  }
  return json{{"value", wire::EncodeVariant(result, [&](const Object& o) { return Export(c, o, app); })}};
}

// The tests' eyes and hands on the windows; a host without a display has none.
json HostServer::WindowRequest(const std::string& op, const json& request) {
  if (op == "screenshot") {
    const std::filesystem::path prefix(request.at("prefix").get<std::string>());
    std::error_code ec;
    if (prefix.filename().empty() ||
        std::filesystem::weakly_canonical(prefix.parent_path(), ec) != std::filesystem::weakly_canonical(testFolder_, ec))
      return wire::ErrorAnswer(kMalformedRequest, "screenshots are written only into " + testFolder_);
  }
  if (!windows_) return wire::ErrorAnswer(kMalformedRequest, "this office host shows no windows");
  if (op == "screenshot") return json{{"value", windows_->SaveScreenshots(request.at("prefix").get<std::string>())}};
  const bool done = windows_->Perform(request.at("progid").get<std::string>(),
                                      request.at("action").get<std::vector<std::string>>());
  if (!done) return wire::ErrorAnswer(kMalformedRequest, "the windows have no such action");
  windows_->Served();
  return json{{"value", json::array({static_cast<int>(Variant::Kind::Boolean), true})}};
}

void HostServer::Release(HostClient& c, const json& request) {
  for (const auto& item : request.at("handles")) {
    const auto it = c.handles.find(item.at(0).get<std::int64_t>());
    if (it == c.handles.end()) continue;
    it->second.count -= item.at(1).get<std::int64_t>();
    if (it->second.count > 0) continue;
    --it->second.app->references;
    c.handleOf.erase(it->second.target.get());
    c.handles.erase(it);
  }
}

std::int64_t HostServer::Export(HostClient& c, const Object& object, const std::shared_ptr<RunningApplication>& app) {
  const auto known = c.handleOf.find(object.pointer().get());
  if (known != c.handleOf.end()) {
    ++c.handles[known->second].count;
    return known->second;
  }
  const std::int64_t handle = c.nextHandle++;
  c.handles[handle] = HandleEntry{object.pointer(), app, 1};
  c.handleOf[object.pointer().get()] = handle;
  ++app->references;
  return handle;
}


namespace {

// The lock file beside the socket, never through a link planted there and only a file of this
// user's own.
int OpenLockFile(const std::string& socketPath) {
  const std::string path = socketPath + ".lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EEXIST) fd = open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot open the lock file " + path + ": " + std::strerror(errno));
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
    close(fd);
    throw std::runtime_error("the lock file " + path + " is not a file of this user");
  }
  return fd;
}

// Held for the host's whole run. A host that finds it taken gives way to the one that serves;
// while the holder is still ending (it no longer answers), it waits to take over.
int TakeHostLock(const std::string& socketPath) {
  const auto deadline = std::chrono::steady_clock::now() + kTakeOverSeconds;
  while (std::chrono::steady_clock::now() < deadline) {
    const int fd = OpenLockFile(socketPath);
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    close(fd);
    if (RemoteConnection::Open(socketPath)) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return -1;
}

// Where the host tells the client that started it why it does not serve; closed once it serves.
class StartStatus {
 public:
  StartStatus() {
    const char* fd = std::getenv(kStatusDescriptorVariable);
    if (fd && *fd) fd_ = std::atoi(fd);
    unsetenv(kStatusDescriptorVariable);
    if (fd_ >= 0 && fcntl(fd_, F_SETFD, FD_CLOEXEC) != 0) fd_ = -1;
  }
  ~StartStatus() { Close(); }
  StartStatus(const StartStatus&) = delete;
  StartStatus& operator=(const StartStatus&) = delete;

  void Refused(const std::string& reason) {
    if (fd_ >= 0) (void)!write(fd_, reason.data(), reason.size());
    Close();
  }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

}  // namespace

int RunOfficeHost(ApplicationRegistry registry, const HostLoop& loop) {
  std::signal(SIGPIPE, SIG_IGN);
  StartStatus status;
  const std::string path = SocketPath();
  try {
    PrepareSocketDirectory(path, SocketPathIsDefault());
    const int lock = TakeHostLock(path);
    if (lock < 0) return 0;
    const int listener = Listen(path);
    status.Close();
    HostServer server(std::move(registry), listener);
    if (const char* folder = std::getenv(kTestFolderVariable); folder && *folder) server.ServeTestOperations(folder);
    loop(server);
    // Unlink before letting go of the lock, so that the next host binds afresh.
    unlink(path.c_str());
    close(listener);
    close(lock);
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "officehost: " << e.what() << '\n';
    status.Refused(e.what());
    return 1;
  }
}

}  // namespace office
