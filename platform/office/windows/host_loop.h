#pragma once
// The office host's wait when it has a display: the window system's loop, serving the programs
// between the user's actions in the applications' windows.

#include "platform/office/host/server.h"

namespace office::windows {

// Whether this process can show windows: a platform named for Qt, or a display that answers.
bool HostHasDisplay();

// Runs in the Qt application of the process until the host has been idle for the pause.
void WaitWithWindows(HostServer& server);

}  // namespace office::windows
