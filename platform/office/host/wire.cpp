#include "platform/office/host/wire.h"

#include <stdexcept>
#include <vector>

namespace office::wire {

using automation::Variant;
using Kind = automation::Variant::Kind;

namespace {

std::uint64_t BigEndian(const unsigned char* p, std::size_t bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i) value = (value << 8) | p[i];
  return value;
}

// Whether the MessagePack value nests no deeper than the limit, found without recursion. A
// truncated or invalid value passes: the decoder refuses it with its own description.
bool NestedWithin(const unsigned char* p, const unsigned char* end, std::size_t limit) {
  std::vector<std::uint64_t> open;  // the items still to come in each open array or map
  while (p < end) {
    const unsigned char b = *p++;
    std::uint64_t items = 0;  // of a container that this item opens
    std::uint64_t skip = 0;   // payload bytes
    std::size_t length = 0;   // bytes of a length field, whose value is then read into skip or items
    enum { Scalar, Array, Map } kind = Scalar;
    if (b >= 0x80 && b <= 0x8f) kind = Map, items = b & 0x0fu;
    else if (b >= 0x90 && b <= 0x9f) kind = Array, items = b & 0x0fu;
    else if (b >= 0xa0 && b <= 0xbf) skip = b & 0x1fu;
    else if (b == 0xc4 || b == 0xd9) length = 1;
    else if (b == 0xc5 || b == 0xda) length = 2;
    else if (b == 0xc6 || b == 0xdb) length = 4;
    else if (b == 0xc7) length = 1, skip = 1;  // ext: a type byte after the length
    else if (b == 0xc8) length = 2, skip = 1;
    else if (b == 0xc9) length = 4, skip = 1;
    else if (b == 0xca) skip = 4;
    else if (b == 0xcb) skip = 8;
    else if (b >= 0xcc && b <= 0xcf) skip = 1u << (b - 0xcc);
    else if (b >= 0xd0 && b <= 0xd3) skip = 1u << (b - 0xd0);
    else if (b >= 0xd4 && b <= 0xd8) skip = 1 + (1u << (b - 0xd4));
    else if (b == 0xdc || b == 0xde) length = 2, kind = b == 0xdc ? Array : Map;
    else if (b == 0xdd || b == 0xdf) length = 4, kind = b == 0xdd ? Array : Map;
    if (length) {
      if (static_cast<std::size_t>(end - p) < length) return true;
      const std::uint64_t n = BigEndian(p, length);
      p += length;
      if (kind == Scalar) skip += n;
      else items = n;
    }
    if (kind == Map) items *= 2;
    if (skip > static_cast<std::uint64_t>(end - p)) return true;
    p += skip;
    if (items > 0) {
      if (open.size() == limit) return false;
      open.push_back(items);
      continue;
    }
    while (!open.empty() && --open.back() == 0) open.pop_back();
    if (open.empty()) return true;
  }
  return true;
}

}  // namespace

std::string EncodeFrame(const json& message) {
  std::string frame(4, '\0');
  json::to_msgpack(message, frame);  // appends to the header
  const auto size = static_cast<std::uint32_t>(frame.size() - 4);
  for (int i = 0; i < 4; ++i) frame[static_cast<std::size_t>(i)] = static_cast<char>((size >> (24 - 8 * i)) & 0xFF);
  return frame;
}

std::optional<json> FrameReader::Next() {
  if (buffer_.size() - start_ < 4) return std::nullopt;
  std::uint32_t size = 0;
  for (std::size_t i = 0; i < 4; ++i) size = (size << 8) | static_cast<unsigned char>(buffer_[start_ + i]);
  if (size > kMaxFrame) throw std::length_error("frame too long");
  if (buffer_.size() - start_ - 4 < size) return std::nullopt;
  const std::size_t payload = start_ + 4;
  start_ = payload + size;
  const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(payload);
  const auto end = begin + size;
  json message;
  try {
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.data() + payload);
    if (!NestedWithin(bytes, bytes + size, kMaxNesting))
      throw json::parse_error::create(113, 0, "the message is nested more deeply than " + std::to_string(kMaxNesting) + " levels",
                                      static_cast<const json*>(nullptr));
    message = json::from_msgpack(begin, end);
  } catch (...) {
    Compact();
    throw;
  }
  Compact();
  return message;
}

void FrameReader::Compact() {
  if (start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  } else if (start_ > 65536) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
}

json EncodeVariant(const Variant& value, const HandleOf& handleOf) {
  const auto kind = static_cast<int>(value.kind());
  return std::visit(
      [&](const auto& v) -> json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, automation::Empty> || std::is_same_v<T, automation::Null>)
          return json::array({kind});
        else if constexpr (std::is_same_v<T, automation::Date>)
          return json::array({kind, v.serial});
        else if constexpr (std::is_same_v<T, automation::ErrorValue>)
          return json::array({kind, v.code});
        else if constexpr (std::is_same_v<T, automation::Object>)
          return json::array({kind, v.isNothing() ? 0 : handleOf(v)});
        else
          return json::array({kind, v});
      },
      value.value());
}

Variant DecodeVariant(const json& value, const ObjectOf& objectOf) {
  const auto& k = value.at(0);
  switch (static_cast<Kind>(k.get<int>())) {
    case Kind::Empty: return {};
    case Kind::Null: return automation::Null{};
    case Kind::Boolean: return value.at(1).get<bool>();
    case Kind::Int16: return value.at(1).get<std::int16_t>();
    case Kind::Int32: return value.at(1).get<std::int32_t>();
    case Kind::Double: return value.at(1).get<double>();
    case Kind::Date: return automation::Date{value.at(1).get<double>()};
    case Kind::Text: return value.at(1).get<std::string>();
    case Kind::Object: {
      const auto handle = value.at(1).get<std::int64_t>();
      return handle == 0 ? automation::Object() : objectOf(handle);
    }
    case Kind::Error: return automation::ErrorValue{value.at(1).get<std::int32_t>()};
  }
  throw json::type_error::create(302, "unknown value kind", &k);
}

json EncodeArguments(const automation::Arguments& args, const HandleOf& handleOf) {
  json out = json::array();
  for (const auto& a : args) out.push_back(json::array({a.name, EncodeVariant(a.value, handleOf)}));
  return out;
}

automation::Arguments DecodeArguments(const json& args, const ObjectOf& objectOf) {
  automation::Arguments out;
  for (const auto& a : args.get_ref<const json::array_t&>())
    out.push_back({a.at(0).get<std::string>(), DecodeVariant(a.at(1), objectOf)});
  return out;
}

json EncodeSteps(const automation::MemberChain& steps, const HandleOf& handleOf) {
  json out = json::array();
  for (const auto& step : steps)
    out.push_back(json::array({step.member, static_cast<int>(step.kind), EncodeArguments(step.args, handleOf)}));
  return out;
}

automation::MemberChain DecodeSteps(const json& steps, const ObjectOf& objectOf) {
  automation::MemberChain out;
  for (const auto& step : steps.get_ref<const json::array_t&>()) {
    const json& kind = step.at(1);
    const int k = kind.get<int>();
    if (k < 0 || k > static_cast<int>(automation::InvokeKind::Call))
      throw json::type_error::create(302, "unknown invoke kind", &kind);
    out.push_back({step.at(0).get<std::string>(), static_cast<automation::InvokeKind>(k), DecodeArguments(step.at(2), objectOf)});
  }
  if (out.empty()) throw json::type_error::create(302, "a chain without steps", &steps);
  return out;
}

json ErrorAnswer(long number, std::string_view description) {
  return json{{"error", json::array({number, std::string(description)})}};
}

}  // namespace office::wire
