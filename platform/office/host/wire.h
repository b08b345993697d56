#pragma once
// The office host's wire format: each message is a MessagePack-encoded JSON value behind a
// 4-byte big-endian length. MessagePack rather than JSON text because texts travel byte for
// byte (cell texts need not be valid UTF-8) and doubles keep infinities.
//
// Client -> host: {"op": "hello" | "create" | "running" | "isRunning" | "status" | "invoke" | "chain" |
// "release", ...}
// Host -> client: {"value": V} or {"error": [number, description]}; "release" gets no answer.
// A Variant is [kind, value] with the kinds numbered as Variant::Kind; objects travel as handles.
// A "chain" runs its steps [[member, kind, args], ...] on the objects they give in turn and sends
// back only the last step's value.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/automation/dispatch.h"

namespace office::wire {

using nlohmann::json;

inline constexpr std::uint32_t kMaxFrame = 64u << 20;
// Far deeper than any message nests; the decoder recurses once per level.
inline constexpr std::size_t kMaxNesting = 64;

std::string EncodeFrame(const json& message);

// Collects bytes as they arrive and hands out complete messages.
class FrameReader {
 public:
  void Append(const char* data, std::size_t size) { buffer_.append(data, size); }
  // The next complete message; nullopt while incomplete. A frame longer than kMaxFrame raises
  // std::length_error (the stream cannot be resynchronised); an undecodable payload, or one nested
  // deeper than kMaxNesting, raises json::exception after the frame has been consumed, so the
  // stream goes on.
  std::optional<json> Next();

 private:
  void Compact();
  std::string buffer_;
  std::size_t start_ = 0;
};

using HandleOf = std::function<std::int64_t(const automation::Object&)>;
using ObjectOf = std::function<automation::Object(std::int64_t)>;

json EncodeVariant(const automation::Variant& value, const HandleOf& handleOf);
automation::Variant DecodeVariant(const json& value, const ObjectOf& objectOf);  // json::exception when malformed

json EncodeArguments(const automation::Arguments& args, const HandleOf& handleOf);  // [[name, V], ...]
automation::Arguments DecodeArguments(const json& args, const ObjectOf& objectOf);

json EncodeSteps(const automation::MemberChain& steps, const HandleOf& handleOf);
automation::MemberChain DecodeSteps(const json& steps, const ObjectOf& objectOf);  // json::exception when malformed

json ErrorAnswer(long number, std::string_view description);

}  // namespace office::wire
