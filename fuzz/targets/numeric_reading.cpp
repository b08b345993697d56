// The readings of a text as a number: the leading number, the whole-text number in its three
// syntaxes, and the strict conversion of a text value.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/automation/variant.h"
#include "platform/runtime/numeric_reading.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    runtime::ReadLeadingNumber(text);
  } catch (const runtime::Error&) {
  }
  runtime::WholeDecimalNumber(text);
  runtime::WholeDecimalNumber(text, {.groupedThousands = true});
  runtime::WholeDecimalNumber(text, {.dExponent = true});
  try {
    automation::Variant(text).toDouble();
  } catch (const runtime::Error&) {
  }
  return 0;
}
