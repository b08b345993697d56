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
  automation::Variant Call(const wire::json& request);
  wire::json CallRaw(const wire::json& request);
  automation::Variant Invoke(std::int64_t handle, std::string_view member, automation::InvokeKind kind,
                             const automation::Arguments& args);
  void Release(std::int64_t handle, std::int64_t count);

 private:
  RemoteConnection(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  [[noreturn]] void Fail();
  void Send(const std::string& frame);
  wire::json Receive();
  automation::Object ObjectFor(std::int64_t handle);
  std::int64_t HandleOf(const automation::Object& object) const;

  int fd_;
  std::string path_;
  wire::FrameReader reader_;
  std::unordered_map<std::int64_t, std::weak_ptr<RemoteObject>> objects_;
};

}  // namespace office
