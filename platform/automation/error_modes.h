#pragma once
// The two error modes of the system's handlers, each a one-line idiom at the call site:
//
//   ResumeNext step;                                       // errors ignored
//   step([&] { sheet.call("Unprotect", kPassword); });     // a failing step is skipped
//   if (step.test([&] { return !IsProjectWorkbook(xl); })) { ... }  // unreadable counts as true
//   if (step.number() != 0) { step.clear(); ... }          // the pending error
//
//   StopAtFirstError([&] { ... });                         // the first failure ends it silently

#include <string>
#include <utility>

#include "platform/automation/error.h"

namespace automation {

class ResumeNext {
 public:
  // Runs one step; when it fails, the error becomes the pending one and the handler goes on.
  template <class F>
  void operator()(F&& step) {
    try {
      std::forward<F>(step)();
    } catch (const Error& e) {
      Remember(e);
    }
  }
  // Evaluates a condition; a condition whose evaluation fails counts as true.
  template <class F>
  bool test(F&& condition) {
    try {
      return static_cast<bool>(std::forward<F>(condition)());
    } catch (const Error& e) {
      Remember(e);
      return true;
    }
  }
  long number() const { return number_; }
  const std::string& description() const { return description_; }
  void clear() {
    number_ = 0;
    description_.clear();
  }

 private:
  void Remember(const Error& e) {
    number_ = e.number();
    description_ = e.description();
  }
  long number_ = 0;
  std::string description_;
};

// A procedure whose error mode is a setting of its family's member table: with errors ignored
// every step is a ResumeNext step; otherwise a failing step ends the procedure and reaches its
// caller, as in a procedure with no handling of its own.
enum class ErrorMode { Ignore, Propagate };

class Steps {
 public:
  explicit Steps(ErrorMode mode) : mode_(mode) {}
  template <class F>
  void operator()(F&& step) {
    if (mode_ == ErrorMode::Ignore) resume_(std::forward<F>(step));
    else std::forward<F>(step)();
  }
  template <class F>
  bool test(F&& condition) {
    if (mode_ == ErrorMode::Ignore) return resume_.test(std::forward<F>(condition));
    return static_cast<bool>(std::forward<F>(condition)());
  }
  ErrorMode mode() const { return mode_; }

 private:
  ErrorMode mode_;
  ResumeNext resume_;
};

// Runs the body until its first failure; true when it ran to the end.
template <class F>
bool StopAtFirstError(F&& body) {
  try {
    std::forward<F>(body)();
    return true;
  } catch (const Error&) {
    return false;
  }
}

// The first failure jumps to the failure path, which is given the error.
template <class F, class G>
void WithFailurePath(F&& body, G&& failurePath) {
  try {
    std::forward<F>(body)();
  } catch (const Error& e) {
    std::forward<G>(failurePath)(e);
  }
}

}  // namespace automation
