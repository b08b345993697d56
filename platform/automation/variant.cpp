#include "platform/automation/variant.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "platform/runtime/dates.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/numeric_reading.h"

namespace automation {
namespace {

[[noreturn]] void Mismatch() { Raise(errors::kTypeMismatch); }

Variant DefaultValue(const Object& o) { return o.get(""); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// "&H1F", "&o17": the prefix and at least one digit of that base, nothing else.
bool IsRadixLiteral(std::string_view s) {
  if (s.size() < 3 || s[0] != '&') return false;
  const char base = static_cast<char>(std::tolower(static_cast<unsigned char>(s[1])));
  if (base != 'h' && base != 'o') return false;
  const auto digit = [&](char c) { return base == 'h' ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : c >= '0' && c <= '7'; };
  return std::all_of(s.begin() + 2, s.end(), digit);
}

// A text converts to a number only when all of it is one: blanks around it and thousands
// separators are allowed, anything else is a type mismatch.
double StrictNumber(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) Mismatch();
  const auto last = text.find_last_not_of(" \t\r\n");
  std::string s = text.substr(first, last - first + 1);
  if (IsRadixLiteral(s)) return runtime::ReadLeadingNumber(s);
  std::erase(s, ',');
  const auto value = runtime::WholeDecimalNumber(s, {.dExponent = true});
  if (!value) Mismatch();
  if (std::isinf(*value)) Raise(errors::kOverflow);
  return *value;
}

}  // namespace

bool Variant::isNumeric() const {
  switch (kind()) {
    case Kind::Boolean:
    case Kind::Int16:
    case Kind::Int32:
    case Kind::Double: return true;
    default: return false;
  }
}

std::string Variant::toText() const {
  switch (kind()) {
    case Kind::Empty: return "";
    case Kind::Null: Raise(errors::kInvalidUseOfNull);
    case Kind::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case Kind::Int16: return std::to_string(std::get<std::int16_t>(value_));
    case Kind::Int32: return std::to_string(std::get<std::int32_t>(value_));
    case Kind::Double: return runtime::NumberText(std::get<double>(value_));
    case Kind::Date: return runtime::DateText(std::get<Date>(value_).serial);
    case Kind::Text: return std::get<std::string>(value_);
    case Kind::Object: return DefaultValue(std::get<Object>(value_)).toText();
    case Kind::Error: Mismatch();
  }
  Mismatch();
}

double Variant::toDouble() const {
  switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Null: Raise(errors::kInvalidUseOfNull);
    case Kind::Boolean: return std::get<bool>(value_) ? -1 : 0;
    case Kind::Int16: return std::get<std::int16_t>(value_);
    case Kind::Int32: return std::get<std::int32_t>(value_);
    case Kind::Double: return std::get<double>(value_);
    case Kind::Date: return std::get<Date>(value_).serial;
    case Kind::Text: return StrictNumber(std::get<std::string>(value_));
    case Kind::Object: return DefaultValue(std::get<Object>(value_)).toDouble();
    case Kind::Error: Mismatch();
  }
  Mismatch();
}

std::int16_t Variant::toInt16() const {
  if (kind() == Kind::Int16) return std::get<std::int16_t>(value_);
  return runtime::ToInt16(toDouble());
}

std::int32_t Variant::toInt32() const {
  if (kind() == Kind::Int32) return std::get<std::int32_t>(value_);
  return runtime::ToInt32(toDouble());
}

bool Variant::toBool() const {
  if (kind() == Kind::Boolean) return std::get<bool>(value_);
  if (kind() == Kind::Text) {
    const auto& s = std::get<std::string>(value_);
    if (EqualsIgnoringCase(s, "True")) return true;
    if (EqualsIgnoringCase(s, "False")) return false;
  }
  return toDouble() != 0;
}

Object Variant::toObject() const {
  if (kind() != Kind::Object) Raise(errors::kObjectRequired);
  return std::get<Object>(value_);
}

}  // namespace automation
