#pragma once
// Hot keys as global key grabs on the X display the program runs on.

#include <memory>

#include "platform/ui/hot_keys.h"

namespace ui {

// Null when the program does not run on an X display.
std::unique_ptr<HotKeys> MakeX11HotKeys();

}  // namespace ui
