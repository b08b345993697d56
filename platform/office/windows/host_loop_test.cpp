// The host's wait with windows serves its clients one round at a time, also when a request runs
// an event loop of its own (the screenshots let the windows settle) while other clients come and go.

#include "platform/office/windows/host_loop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "platform/office/host/local_socket.h"
#include "platform/office/host/remote_connection.h"

namespace office::windows {
namespace {

using namespace std::chrono_literals;

// Clients in the order the host accepts them: the one that asks for screenshots, one that leaves
// while they settle, one that stays and asks afterwards. What went wrong; empty when nothing did.
std::string AskWhileAnotherLeaves(const std::string& socket, const std::string& folder) {
  try {
    const auto asker = RemoteConnection::Open(socket);
    auto leaver = RemoteConnection::Open(socket);
    const auto stayer = RemoteConnection::Open(socket);
    if (!asker || !leaver || !stayer) return "a client did not get in";
    auto leave = std::async(std::launch::async, [&] {
      std::this_thread::sleep_for(50ms);
      leaver.reset();
    });
    const auto shots = asker->CallRaw({{"op", "screenshot"}, {"prefix", folder + "/shot"}});
    leave.get();
    const auto afterwards = stayer->CallRaw({{"op", "status"}});
    return shots.is_array() && afterwards.is_array() ? "" : "answers " + shots.dump() + afterwards.dump();
  } catch (const automation::Error& e) {
    return e.description();
  }
}

TEST(HostLoop, AClientThatLeavesWhileAScreenshotSettlesIsDroppedAndTheOthersAreServed) {
  char dir[] = "/tmp/qv-host-loop-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string socket = std::string(dir) + "/socket";
  HostServer server(ApplicationRegistry{}, Listen(socket));
  server.ServeTestOperations(dir);
  auto clients = std::async(std::launch::async, [&] {
    const std::string wrong = AskWhileAnotherLeaves(socket, dir);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    return wrong;
  });
  WaitWithWindows(server);
  EXPECT_EQ(clients.get(), "");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace office::windows
