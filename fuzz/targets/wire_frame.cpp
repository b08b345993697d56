// The office host's frame reader and the decoding of what it hands out, on any bytes.

#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "platform/office/host/wire.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using office::wire::json;
  office::wire::FrameReader reader;
  reader.Append(reinterpret_cast<const char*>(data), size);
  for (;;) {
    try {
      const auto message = reader.Next();
      if (!message) break;
      if (message->is_object() && message->contains("args"))
        office::wire::DecodeArguments(message->at("args"), [](std::int64_t) { return automation::Object(); });
      if (message->is_array()) office::wire::DecodeVariant(*message, [](std::int64_t) { return automation::Object(); });
    } catch (const json::exception&) {
    } catch (const std::length_error&) {
      break;
    }
  }
  return 0;
}
