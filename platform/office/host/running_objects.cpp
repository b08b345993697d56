#include "platform/office/host/running_objects.h"

#include <algorithm>

#include "platform/automation/member_table.h"

namespace office {
namespace {

bool SameIdentifier(std::string_view a, std::string_view b) { return automation::FoldCase(a) == automation::FoldCase(b); }

}  // namespace

void ApplicationRegistry::Register(std::string_view progid, ApplicationFactory factory) {
  entries_[automation::FoldCase(progid)] = Entry{std::string(progid), std::move(factory)};
}

const ApplicationRegistry::Entry* ApplicationRegistry::Find(std::string_view progid) const {
  const auto it = entries_.find(automation::FoldCase(progid));
  return it == entries_.end() ? nullptr : &it->second;
}

std::shared_ptr<RunningApplication> RunningObjectTable::Create(std::string_view progid) {
  const ApplicationRegistry::Entry* entry = registry_.Find(progid);
  if (!entry) automation::Raise(automation::errors::kCannotCreateObject);
  auto app = std::make_shared<RunningApplication>();
  app->progid = entry->progid;
  app->application = entry->factory();
  running_.push_back(app);
  return app;
}

std::shared_ptr<RunningApplication> RunningObjectTable::Running(std::string_view progid) const {
  for (const auto& app : running_)
    if (SameIdentifier(app->progid, progid) && !app->application->hasQuit()) return app;
  automation::Raise(automation::errors::kCannotCreateObject);
}

bool RunningObjectTable::IsRunning(std::string_view progid) const {
  return std::any_of(running_.begin(), running_.end(), [&](const auto& app) {
    return SameIdentifier(app->progid, progid) && !app->application->hasQuit();
  });
}

void RunningObjectTable::Sweep() {
  std::erase_if(running_, [](const auto& app) {
    return app->application->hasQuit() || (!app->application->visible() && app->references == 0);
  });
}

}  // namespace office
