#include "platform/office/host/local_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace office {
namespace {

sockaddr_un AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) throw std::runtime_error("socket path too long: " + path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

std::runtime_error SystemError(const std::string& what) { return std::runtime_error(what + ": " + std::strerror(errno)); }

}  // namespace

bool SocketPathIsDefault() {
  const char* path = std::getenv("OFFICEHOST_SOCKET");
  return !path || !*path;
}

std::string SocketPath() {
  if (!SocketPathIsDefault()) return std::getenv("OFFICEHOST_SOCKET");
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
    return std::string(runtime) + "/qorvane-office/socket";
  return "/tmp/qorvane-office-" + std::to_string(geteuid()) + "/socket";
}

void PrepareSocketDirectory(const std::string& socketPath, bool create) {
  const std::string dir = std::filesystem::path(socketPath).parent_path().string();
  if (dir.empty()) throw std::runtime_error("socket path has no directory: " + socketPath);
  if (create && mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) throw SystemError("cannot create " + dir);
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) throw SystemError("cannot examine " + dir);
  if (!S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 077) != 0)
    throw std::runtime_error(dir + " must be a directory of this user with mode 0700");
}

int Listen(const std::string& socketPath) {
  const sockaddr_un address = AddressOf(socketPath);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw SystemError("socket");
  unlink(socketPath.c_str());  // only ever called while holding the host lock
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 64) != 0) {
    const auto error = SystemError("cannot listen on " + socketPath);
    close(fd);
    throw error;
  }
  chmod(socketPath.c_str(), 0600);
  return fd;
}

int Connect(const std::string& socketPath) {
  sockaddr_un address{};
  try {
    address = AddressOf(socketPath);
  } catch (const std::runtime_error&) {
    return -1;
  }
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool PeerIsSameUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

}  // namespace office
