#pragma once
// The failures the stand-in Excel raises itself.

#include <string>

#include "platform/runtime/error.h"

namespace excel {

// An object whose workbook, sheet or application is gone: the automation layer's disconnection.
inline constexpr long kObjectDisconnected = -2147417848;  // 0x80010108

// Error 1004 with the reason, as Excel reports its own refusals.
[[noreturn]] inline void Fail(std::string description) {
  runtime::Raise(runtime::errors::kApplicationDefined, std::move(description));
}

[[noreturn]] inline void Disconnected() {
  runtime::Raise(kObjectDisconnected, "The object invoked has disconnected from its clients.");
}

}  // namespace excel
