#pragma once
// A client's connection to the office host, and the proxies that forward calls over it.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/automation/dispatch.h"
#include "platform/office/host/wire.h"

namespace office {

class RemoteObject;

class RemoteConnection : public std::enable_shared_from_this<RemoteConnection> {
 public:
  // Connected and greeted, or nullptr when no host of this user answers there.
  static std::shared_ptr<RemoteConnection> Open(const std::string& socketPath);
  ~RemoteConnection();
  RemoteConnection(const RemoteConnection&) = delete;
  RemoteConnection& operator=(const RemoteConnection&) = delete;

  const std::string& path() const { return path_; }
  bool broken() const { return fd_ < 0; }

  // Sends a request and decodes the answer's value; error answers are raised as they came. The
  // answer is awaited as long as the host keeps the connection; a closed one is kHostUnavailable.
  // The objects in the answer count as applications (see Release).
  automation::Variant Call(const wire::json& request) { return Call(request, kNewApplication); }
  wire::json CallRaw(const wire::json& request);
  automation::Variant Invoke(const RemoteObject& target, std::string_view member, automation::InvokeKind kind,
                             const automation::Arguments& args);
  automation::Variant InvokeChain(const RemoteObject& target, const automation::MemberChain& steps);
  // Releases go with the next request, in the same write, rather than one message each; but once
  // the program holds no object of an application any longer, at once, so that the host sees an
  // application left without references when the program does.
  void Release(const RemoteObject& object);

 private:
  static constexpr std::int64_t kNewApplication = 0;  // no handle is 0

  RemoteConnection(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  // Objects first seen in the answer belong to the application of that handle.
  automation::Variant Call(const wire::json& request, std::int64_t application);
  [[noreturn]] void Fail();
  void Send(std::string frame);
  void SendReleases();
  wire::json Receive();
  automation::Object ObjectFor(std::int64_t handle, std::int64_t application);
  std::int64_t HandleOf(const automation::Object& object) const;

  int fd_;
  std::string path_;
  wire::FrameReader reader_;
  std::unordered_map<std::int64_t, std::weak_ptr<RemoteObject>> objects_;
  std::unordered_map<std::int64_t, std::int64_t> held_;  // objects held, by the handle of their application
  wire::json releases_ = wire::json::array();             // [handle, count] not sent yet
};

}  // namespace office
