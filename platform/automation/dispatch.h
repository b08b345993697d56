#pragma once
// Invoking a member by name: the one interface every automation object implements.

#include <string>
#include <string_view>

#include "platform/automation/variant.h"

namespace automation {

enum class InvokeKind { Get, Put, Call };

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // Put takes the assigned value as the last positional argument. Names are case-insensitive.
  virtual Variant Invoke(std::string_view member, InvokeKind kind, const Arguments& args) = 0;
  virtual std::string TypeName() const { return "Object"; }
};

namespace detail {
inline void Append(Arguments& out, Named n) { out.push_back({std::move(n.name), std::move(n.value)}); }
inline void Append(Arguments& out, Variant v) { out.push_back({{}, std::move(v)}); }
template <class... A>
Arguments Pack(A&&... args) {
  Arguments out;
  out.reserve(sizeof...(A));
  (Append(out, std::forward<A>(args)), ...);
  return out;
}
}  // namespace detail

inline Dispatch& Object::dispatch() const {
  if (!target_) Raise(errors::kObjectNotSet);
  return *target_;
}

template <class... A>
Variant Object::get(std::string_view member, A&&... args) const {
  return dispatch().Invoke(member, InvokeKind::Get, detail::Pack(std::forward<A>(args)...));
}
template <class... A>
void Object::put(std::string_view member, A&&... args) const {
  dispatch().Invoke(member, InvokeKind::Put, detail::Pack(std::forward<A>(args)...));
}
template <class... A>
Variant Object::call(std::string_view member, A&&... args) const {
  return dispatch().Invoke(member, InvokeKind::Call, detail::Pack(std::forward<A>(args)...));
}
template <class... A>
Object Object::obj(std::string_view member, A&&... args) const {
  return get(member, std::forward<A>(args)...).toObject();
}

}  // namespace automation
