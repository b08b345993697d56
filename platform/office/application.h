#pragma once
// What the office host needs of a stand-in application beyond its automation members.

#include <functional>
#include <memory>

#include "platform/automation/dispatch.h"

namespace office {

class Application : public automation::Dispatch {
 public:
  // A visible application stays while the user has it; an invisible one quits with its last reference.
  virtual bool visible() const = 0;
  // True once Quit was called: the host then drops it from the running applications.
  virtual bool hasQuit() const = 0;
};

using ApplicationFactory = std::function<std::shared_ptr<Application>()>;

}  // namespace office
