#pragma once
// A lost connection to Excel or Word (the office host is gone) is no failure that a routine may
// skip or stop at quietly: it ends the whole run at once, whatever the routine's error mode, so
// that no completion message is shown over a report that no longer exists.

#include <utility>

#include "platform/automation/error_modes.h"

namespace refreshers {

// Not an automation::Error, so that no error mode takes it for an ordinary failure.
struct ConnectionLost {};

// Runs the step; the error of a server that is gone becomes ConnectionLost.
template <class F>
void OverTheConnection(F&& step) {
  try {
    std::forward<F>(step)();
  } catch (const automation::Error& e) {
    if (e.number() == automation::errors::kRemoteServerUnavailable) throw ConnectionLost{};
    throw;
  }
}

// Errors ignored, for the refreshers: every failing step is skipped but a lost connection.
class SkipFailedSteps {
 public:
  template <class F>
  void operator()(F&& step) {
    skip_([&] { OverTheConnection(std::forward<F>(step)); });
  }

 private:
  automation::ResumeNext skip_;
};

}  // namespace refreshers
