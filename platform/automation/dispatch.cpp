#include "platform/automation/dispatch.h"

namespace automation {

Variant Dispatch::InvokeChain(const MemberChain& steps) {
  if (steps.empty()) Raise(errors::kArgumentNotOptional);
  Object held;  // the object the step before gave
  Dispatch* at = this;
  for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
    held = at->Invoke(steps[i].member, steps[i].kind, steps[i].args).toObject();
    at = &held.dispatch();
  }
  return at->Invoke(steps.back().member, steps.back().kind, steps.back().args);
}

Variant Path::Run(std::string_view member, InvokeKind kind, Arguments args) {
  if (steps_.empty()) return from_.dispatch().Invoke(member, kind, args);
  steps_.push_back({std::string(member), kind, std::move(args)});
  return from_.dispatch().InvokeChain(steps_);
}

}  // namespace automation
