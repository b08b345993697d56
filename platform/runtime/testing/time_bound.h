#pragma once
// For tests that bound how long something takes: the sanitizers' build runs many times slower
// than the ordinary one, so there the bound is scaled; what a test proves is the absence of a
// stall, not the speed of that build.

#include <chrono>

namespace runtime::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr int kSlowdown = 20;
#else
inline constexpr int kSlowdown = 1;
#endif

template <class Rep, class Period>
constexpr std::chrono::duration<Rep, Period> Within(std::chrono::duration<Rep, Period> bound) {
  return bound * kSlowdown;
}

}  // namespace runtime::testing
