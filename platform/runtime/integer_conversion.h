#pragma once
// Conversion to 16-bit and 32-bit integers, and arithmetic on them that fails on overflow.

#include <cstdint>
#include <limits>

#include "platform/runtime/error.h"

namespace runtime {

// Nearest whole number, a half going to the even neighbour; out of range raises Overflow (6).
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

// A row variable: every result must fit the type, or the step fails with Overflow (6).
template <class T>
class Checked {
 public:
  constexpr Checked() = default;
  constexpr Checked(T value) : value_(value) {}  // NOLINT: used like the plain integer

  constexpr T value() const { return value_; }
  constexpr operator T() const { return value_; }  // NOLINT

  friend Checked operator+(Checked a, Checked b) { return Fit(std::int64_t{a.value_} + b.value_); }
  friend Checked operator-(Checked a, Checked b) { return Fit(std::int64_t{a.value_} - b.value_); }
  friend Checked operator*(Checked a, Checked b) { return Fit(std::int64_t{a.value_} * b.value_); }
  Checked& operator+=(Checked b) { return *this = *this + b; }
  Checked& operator-=(Checked b) { return *this = *this - b; }

 private:
  static Checked Fit(std::int64_t v) {
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) Raise(errors::kOverflow);
    return Checked(static_cast<T>(v));
  }
  T value_ = 0;
};

using Int16 = Checked<std::int16_t>;
using Int32 = Checked<std::int32_t>;

}  // namespace runtime
