#pragma once
// The windows a user sees of one running stand-in application, kept in step with its object
// model: what programs do through automation shows in them, and what the user does in them goes
// into the model, as it does in the real applications.

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace office::windows {

// Told by the windows after the user changed the model from them (typed, opened, closed, quit),
// so that the host drops a quit application and brings every window up to date.
using UserActed = std::function<void()>;

class ApplicationWindows {
 public:
  virtual ~ApplicationWindows() = default;
  ApplicationWindows() = default;
  ApplicationWindows(const ApplicationWindows&) = delete;
  ApplicationWindows& operator=(const ApplicationWindows&) = delete;

  // Brings the windows in line with the model: shown while the application is visible, one for
  // each open workbook or document as the application has them, their content and selection.
  virtual void Sync() = 0;
  // The windows on screen now, for screenshots.
  virtual std::vector<QWidget*> Shown() const = 0;
  // A user's action performed through the windows, for the tests' hands from outside: the words
  // of the action; false when the application's windows have no such action.
  virtual bool Perform(const std::vector<std::string>& action) = 0;
};

}  // namespace office::windows
