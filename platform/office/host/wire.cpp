#include "platform/office/host/wire.h"

#include <stdexcept>

namespace office::wire {

using automation::Variant;
using Kind = automation::Variant::Kind;

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

json ErrorAnswer(long number, std::string_view description) {
  return json{{"error", json::array({number, std::string(description)})}};
}

}  // namespace office::wire
