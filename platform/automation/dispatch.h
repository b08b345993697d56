#pragma once
// Invoking a member by name: the one interface every automation object implements.

#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"

namespace automation {

enum class InvokeKind { Get, Put, Call };

// One step of a member chain.
struct ChainStep {
  std::string member;
  InvokeKind kind;
  Arguments args;
};
using MemberChain = std::vector<ChainStep>;

class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // Put takes the assigned value as the last positional argument. Names are case-insensitive.
  virtual Variant Invoke(std::string_view member, InvokeKind kind, const Arguments& args) = 0;
  virtual std::string TypeName() const { return "Object"; }
  // The first step on this object, each later one on the object the step before gave, which is
  // kept only for that step; fails where the steps one by one would, with the same error. A proxy
  // of another process carries the whole chain in one request.
  virtual Variant InvokeChain(const MemberChain& steps);
};

// A member chain on temporary objects, run when its last member is named:
// Path(sheet).to("Cells", 2, 1).get("Value") is sheet.obj("Cells", 2, 1).get("Value").
class Path {
 public:
  explicit Path(Object from) : from_(std::move(from)) {}

  template <class... A>
  Path& to(std::string_view member, A&&... args);
  template <class... A>
  Variant get(std::string_view member, A&&... args);
  template <class... A>
  void put(std::string_view member, A&&... argsThenValue);
  template <class... A>
  Variant call(std::string_view member, A&&... args);

 private:
  Variant Run(std::string_view member, InvokeKind kind, Arguments args);

  Object from_;
  MemberChain steps_;
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

template <class... A>
Path& Path::to(std::string_view member, A&&... args) {
  steps_.push_back({std::string(member), InvokeKind::Get, detail::Pack(std::forward<A>(args)...)});
  return *this;
}
template <class... A>
Variant Path::get(std::string_view member, A&&... args) {
  return Run(member, InvokeKind::Get, detail::Pack(std::forward<A>(args)...));
}
template <class... A>
void Path::put(std::string_view member, A&&... args) {
  Run(member, InvokeKind::Put, detail::Pack(std::forward<A>(args)...));
}
template <class... A>
Variant Path::call(std::string_view member, A&&... args) {
  return Run(member, InvokeKind::Call, detail::Pack(std::forward<A>(args)...));
}

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
