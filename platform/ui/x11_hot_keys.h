#pragma once
// Hot keys as global key grabs on the X display the program runs on.

#include <memory>

#include "platform/ui/hot_keys.h"

struct xcb_connection_t;

namespace ui {

// Null when the program does not run on an X display.
std::unique_ptr<HotKeys> MakeX11HotKeys();
// Grabs through a connection of the caller's (which must outlive the hot keys).
std::unique_ptr<HotKeys> MakeX11HotKeys(xcb_connection_t* connection);

}  // namespace ui
