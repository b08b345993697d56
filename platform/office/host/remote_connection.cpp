#include "platform/office/host/remote_connection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/office/host/client.h"
#include "platform/office/host/local_socket.h"

namespace office {

using automation::Object;
using automation::Variant;
using wire::json;

// Forwards every call to the host object behind the handle; released when the last copy goes.
class RemoteObject : public automation::Dispatch {
 public:
  RemoteObject(std::shared_ptr<RemoteConnection> connection, std::int64_t handle, std::int64_t application)
      : connection_(std::move(connection)), handle_(handle), application_(application) {}
  ~RemoteObject() override { connection_->Release(*this); }
  Variant Invoke(std::string_view member, automation::InvokeKind kind, const automation::Arguments& args) override {
    return connection_->Invoke(*this, member, kind, args);
  }
  Variant InvokeChain(const automation::MemberChain& steps) override { return connection_->InvokeChain(*this, steps); }

  const RemoteConnection* connection() const { return connection_.get(); }
  std::int64_t handle() const { return handle_; }
  std::int64_t application() const { return application_; }
  std::int64_t received() const { return received_; }
  void Received() { ++received_; }

 private:
  std::shared_ptr<RemoteConnection> connection_;
  std::int64_t handle_;
  std::int64_t application_;  // the handle of the application object it came from
  std::int64_t received_ = 1;  // the host counts each time it sent the handle
};

std::shared_ptr<RemoteConnection> RemoteConnection::Open(const std::string& socketPath) {
  const int fd = Connect(socketPath);
  if (fd < 0) return nullptr;
  std::shared_ptr<RemoteConnection> connection(new RemoteConnection(fd, socketPath));
  // A host of another user could have put its socket there: talk only to our own.
  if (!PeerIsSameUser(fd)) return nullptr;
  try {
    connection->Call({{"op", "hello"}});
  } catch (const automation::Error&) {
    return nullptr;  // refused, or a host that was just ending
  }
  return connection;
}

RemoteConnection::~RemoteConnection() {
  if (fd_ >= 0) close(fd_);
}

void RemoteConnection::Fail() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  automation::Raise(kHostUnavailable, kHostUnavailableText);
}

void RemoteConnection::Send(std::string frame) {
  if (!releases_.empty()) {
    frame.insert(0, wire::EncodeFrame({{"op", "release"}, {"handles", std::move(releases_)}}));
    releases_ = json::array();
  }
  std::size_t sent = 0;
  while (sent < frame.size()) {
    const ssize_t n = send(fd_, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail();
    sent += static_cast<std::size_t>(n);
  }
}

// However long the host takes, the answer is awaited while the connection stands: a host that is
// gone has closed it.
json RemoteConnection::Receive() {
  for (;;) {
    try {
      if (auto message = reader_.Next()) return *message;
    } catch (const std::exception&) {
      Fail();
    }
    char buffer[65536];
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail();
    reader_.Append(buffer, static_cast<std::size_t>(n));
  }
}

json RemoteConnection::CallRaw(const json& request) {
  if (broken()) Fail();
  Send(wire::EncodeFrame(request));
  json answer = Receive();
  try {
    if (const auto error = answer.find("error"); error != answer.end())
      automation::Raise(error->at(0).get<long>(), error->at(1).get<std::string>());
    return std::move(answer.at("value"));
  } catch (const json::exception&) {
    Fail();
  }
}

Variant RemoteConnection::Call(const json& request, std::int64_t application) {
  const json value = CallRaw(request);
  try {
    return wire::DecodeVariant(value, [&](std::int64_t handle) { return ObjectFor(handle, application); });
  } catch (const json::exception&) {
    Fail();
  }
}

Variant RemoteConnection::Invoke(const RemoteObject& target, std::string_view member, automation::InvokeKind kind,
                                 const automation::Arguments& args) {
  return Call({{"op", "invoke"},
               {"handle", target.handle()},
               {"member", std::string(member)},
               {"kind", static_cast<int>(kind)},
               {"args", wire::EncodeArguments(args, [this](const Object& o) { return HandleOf(o); })}},
              target.application());
}

Variant RemoteConnection::InvokeChain(const RemoteObject& target, const automation::MemberChain& steps) {
  return Call({{"op", "chain"},
               {"handle", target.handle()},
               {"steps", wire::EncodeSteps(steps, [this](const Object& o) { return HandleOf(o); })}},
              target.application());
}

void RemoteConnection::Release(const RemoteObject& object) {
  objects_.erase(object.handle());
  const auto held = held_.find(object.application());
  const bool lastOfItsApplication = held != held_.end() && --held->second == 0;
  if (lastOfItsApplication) held_.erase(held);
  if (broken()) return;  // a host that is gone has released everything already
  releases_.push_back(json::array({object.handle(), object.received()}));
  if (lastOfItsApplication) SendReleases();
}

void RemoteConnection::SendReleases() {
  try {
    Send({});
  } catch (const automation::Error&) {
    // A host that is gone has released everything already.
  }
}

Object RemoteConnection::ObjectFor(std::int64_t handle, std::int64_t application) {
  if (const auto known = objects_[handle].lock()) {
    known->Received();
    return Object(known);
  }
  if (application == kNewApplication) application = handle;
  auto object = std::make_shared<RemoteObject>(shared_from_this(), handle, application);
  objects_[handle] = object;
  ++held_[application];
  return Object(object);
}

std::int64_t RemoteConnection::HandleOf(const Object& object) const {
  const auto* remote = dynamic_cast<const RemoteObject*>(object.pointer().get());
  if (!remote || remote->connection() != this)
    automation::Raise(automation::errors::kTypeMismatch, "Only objects of the running Office can be passed to it");
  return remote->handle();
}

}  // namespace office
