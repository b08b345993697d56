#include "platform/runtime/integer_conversion.h"

#include <cmath>

namespace runtime {
namespace {

template <class T>
T RoundToEven(double value) {
  if (!std::isfinite(value)) Raise(errors::kOverflow);
  double r = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) r = 2.0 * std::round(value / 2.0);
  if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) Raise(errors::kOverflow);
  return static_cast<T>(r);
}

}  // namespace

std::int16_t ToInt16(double value) { return RoundToEven<std::int16_t>(value); }
std::int32_t ToInt32(double value) { return RoundToEven<std::int32_t>(value); }

}  // namespace runtime
