#pragma once
// Where the office host listens and who may talk to it: one socket per user, in a directory
// only that user can reach, and peers checked by their user id on both ends.

#include <string>

namespace office {

// OFFICEHOST_SOCKET when set, else qorvane-office/socket in $XDG_RUNTIME_DIR, else in /tmp
// under a name with the user id.
std::string SocketPath();

// Creates the socket's directory (mode 0700) when missing; an existing one must belong to the
// user and be closed to everybody else. std::runtime_error saying why otherwise.
void PrepareSocketDirectory(const std::string& socketPath);

// A listening socket bound to the path (a stale socket file is replaced); std::runtime_error on failure.
int Listen(const std::string& socketPath);
// A connected socket, or -1 when nobody listens there.
int Connect(const std::string& socketPath);

// True when the process at the other end runs under this process's user id.
bool PeerIsSameUser(int fd);

}  // namespace office
