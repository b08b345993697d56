#pragma once
// The value of late-bound automation: what a property returns and a call takes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/automation/error.h"

namespace automation {

class Dispatch;
class Variant;

struct Empty {
  bool operator==(const Empty&) const = default;
};
struct Null {
  bool operator==(const Null&) const = default;
};
struct Date {
  double serial = 0;  // days since 1899-12-30
  bool operator==(const Date&) const = default;
};
// A cell error value (#REF!, #DIV/0! ...), by the platform's error code.
struct ErrorValue {
  std::int32_t code = 0;
  bool operator==(const ErrorValue&) const = default;
};

struct Argument;
using Arguments = std::vector<Argument>;

// A counted handle to something dispatchable; empty is "Nothing".
class Object {
 public:
  Object() = default;
  explicit Object(std::shared_ptr<Dispatch> target) : target_(std::move(target)) {}

  bool isNothing() const { return !target_; }
  explicit operator bool() const { return !isNothing(); }
  Dispatch& dispatch() const;  // Object variable not set (91) when Nothing
  const std::shared_ptr<Dispatch>& pointer() const { return target_; }
  bool operator==(const Object& other) const { return target_ == other.target_; }

  // Late-bound calls; arguments are values or Named(...) for named arguments.
  template <class... A>
  Variant get(std::string_view member, A&&... args) const;
  template <class... A>
  void put(std::string_view member, A&&... argsThenValue) const;
  template <class... A>
  Variant call(std::string_view member, A&&... args) const;
  // get(...) that must give an object: the usual step along a member chain.
  template <class... A>
  Object obj(std::string_view member, A&&... args) const;

 private:
  std::shared_ptr<Dispatch> target_;
};

class Variant {
 public:
  using Value = std::variant<Empty, Null, bool, std::int16_t, std::int32_t, double, Date, std::string, Object, ErrorValue>;
  enum class Kind { Empty, Null, Boolean, Int16, Int32, Double, Date, Text, Object, Error };

  Variant() = default;
  Variant(Empty) {}
  Variant(Null v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(Date v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(Object v) : value_(std::move(v)) {}
  Variant(ErrorValue v) : value_(v) {}

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  const Value& value() const { return value_; }
  bool isEmpty() const { return kind() == Kind::Empty; }
  bool isNull() const { return kind() == Kind::Null; }
  bool isText() const { return kind() == Kind::Text; }
  bool isObject() const { return kind() == Kind::Object; }
  bool isError() const { return kind() == Kind::Error; }
  bool isNumeric() const;  // boolean, integers, double

  // Conversions as the platform makes them; a value that cannot convert raises Type mismatch
  // (13), Null raises Invalid use of Null (94), an object gives its default member's value.
  std::string toText() const;
  double toDouble() const;
  std::int16_t toInt16() const;  // half to even, Overflow (6) out of range
  std::int32_t toInt32() const;
  bool toBool() const;
  Object toObject() const;  // Object required (424) for anything but an object

  // Same kind and same value; objects by identity.
  bool operator==(const Variant& other) const { return value_ == other.value_; }

 private:
  Value value_;
};

struct Argument {
  std::string name;  // empty for a positional argument
  Variant value;
};

struct Named {
  Named(std::string n, Variant v) : name(std::move(n)), value(std::move(v)) {}
  std::string name;
  Variant value;
};

}  // namespace automation

#include "platform/automation/dispatch.h"
