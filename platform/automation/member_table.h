#pragma once
// Building an automation object as a table of members: name -> getter, setter, method.
//
//   static const MemberTable<Range>& Members() {
//     static const auto table = MemberTable<Range>()
//         .Property("Value", [](Range& r, const Args&) { return r.value(); },
//                            [](Range& r, const Args&, const Variant& v) { r.setValue(v); })
//         .Method("Select", {}, [](Range& r, const Args&) { r.select(); return Variant(); })
//         .Default("Value");
//     return table;
//   }

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"

namespace automation {

std::string FoldCase(std::string_view name);  // ASCII letters folded; other bytes kept

// The arguments of one call, bound to the member's parameter positions.
class Args {
 public:
  explicit Args(std::vector<std::optional<Variant>> values) : values_(std::move(values)) {}
  std::size_t size() const { return values_.size(); }
  bool has(std::size_t i) const { return i < values_.size() && values_[i].has_value(); }
  const Variant& operator[](std::size_t i) const;  // Argument not optional (449) when missing
  Variant value(std::size_t i, Variant fallback) const { return has(i) ? *values_[i] : std::move(fallback); }

 private:
  std::vector<std::optional<Variant>> values_;
};

template <class Self>
class MemberTable {
 public:
  using Getter = std::function<Variant(Self&, const Args&)>;
  using Setter = std::function<void(Self&, const Args&, const Variant&)>;

  // A property, optionally with parameters (Cells(row, column)); without a setter it is read-only.
  MemberTable& Property(std::string_view name, Getter get, Setter set = {}, std::vector<std::string> params = {}) {
    members_[FoldCase(name)] = Member{std::move(params), std::move(get), std::move(set)};
    return *this;
  }
  MemberTable& Method(std::string_view name, std::vector<std::string> params, Getter body) {
    members_[FoldCase(name)] = Member{std::move(params), std::move(body), {}};
    return *this;
  }
  // The member used when the object itself is read, written or called with arguments.
  MemberTable& Default(std::string_view name) {
    defaultName_ = FoldCase(name);
    return *this;
  }

  Variant Invoke(Self& self, std::string_view name, InvokeKind kind, const Arguments& args) const {
    const std::string key = name.empty() ? defaultName_ : FoldCase(name);
    const auto it = members_.find(key);
    if (key.empty() || it == members_.end()) Raise(errors::kNoSuchMember);
    const Member& m = it->second;
    if (kind == InvokeKind::Put) {
      if (args.empty()) Raise(errors::kArgumentNotOptional);
      const Arguments index(args.begin(), args.end() - 1);
      if (m.set && (index.empty() || !m.params.empty())) {
        m.set(self, Bind(m, index), args.back().value);
        return {};
      }
      // Cells(1, 2) = x and Workbooks(1).Name = x style: the value goes to the default member
      // of what the property gives.
      if (!m.get) Raise(errors::kNoSuchMember);
      const bool indexed = !m.params.empty();
      const Variant target = m.get(self, Bind(m, indexed ? index : Arguments{}));
      target.toObject().dispatch().Invoke("", InvokeKind::Put, indexed ? Arguments{args.back()} : args);
      return {};
    }
    if (!m.get) Raise(errors::kNoSuchMember);
    if (m.params.empty() && !args.empty())
      return m.get(self, Bind(m, {})).toObject().dispatch().Invoke("", kind, args);
    return m.get(self, Bind(m, args));
  }

 private:
  struct Member {
    std::vector<std::string> params;
    Getter get;
    Setter set;
  };

  static Args Bind(const Member& m, const Arguments& args) {
    std::vector<std::optional<Variant>> bound;
    std::size_t next = 0;
    for (const Argument& a : args) {
      std::size_t pos = next;
      if (a.name.empty()) {
        ++next;
      } else {
        const std::string wanted = FoldCase(a.name);
        pos = m.params.size();
        for (std::size_t i = 0; i < m.params.size(); ++i)
          if (FoldCase(m.params[i]) == wanted) pos = i;
        if (pos == m.params.size()) Raise(errors::kNamedArgumentNotFound);
      }
      if (bound.size() <= pos) bound.resize(pos + 1);
      bound[pos] = a.value;
    }
    return Args(std::move(bound));
  }

  std::map<std::string, Member, std::less<>> members_;
  std::string defaultName_;
};

// The usual base of a stand-in object: dispatches through the class's static member table.
// Base is Dispatch or an interface derived from it.
template <class Self, class Base = Dispatch>
class TableDispatch : public Base {
 public:
  Variant Invoke(std::string_view member, InvokeKind kind, const Arguments& args) override {
    return Self::Members().Invoke(static_cast<Self&>(*this), member, kind, args);
  }
};

}  // namespace automation
