#pragma once
// For tests: the number of the error a step raises, 0 when it raises none.

#include "platform/runtime/error.h"

namespace runtime::testing {

template <class F>
long ErrorNumberOf(F&& step) {
  try {
    step();
  } catch (const Error& e) {
    return e.number();
  }
  return 0;
}

}  // namespace runtime::testing
