#pragma once
// Where the office host listens and who may talk to it: one socket per user, in a directory
// only that user can reach, and peers checked by their user id on both ends.

#include <string>

namespace office {

// OFFICEHOST_SOCKET when set, else qorvane-office/socket in $XDG_RUNTIME_DIR, else in /tmp
// under a name with the user id.
std::string SocketPath();
bool SocketPathIsDefault();

// The socket's directory must belong to the user and be closed to everybody else; when create
// is set (the default path), a missing one is made so (mode 0700). std::runtime_error saying
// why otherwise. A path given in OFFICEHOST_SOCKET names a directory that its giver made.
void PrepareSocketDirectory(const std::string& socketPath, bool create);

// A listening socket bound to the path (a stale socket file is replaced); std::runtime_error on failure.
int Listen(const std::string& socketPath);
// A connected socket, or -1 when nobody listens there.
int Connect(const std::string& socketPath);

// True when the process at the other end runs under this process's user id.
bool PeerIsSameUser(int fd);

}  // namespace office
