#include "platform/office/host/wire.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace office::wire {
namespace {

using automation::Variant;

TEST(Wire, FramesArriveWhateverChunksTheStreamCutsThemInto) {
  const std::string stream = EncodeFrame({{"op", "hello"}}) + EncodeFrame({{"op", "status"}, {"n", 7}});
  for (std::size_t chunk = 1; chunk <= stream.size(); ++chunk) {
    FrameReader reader;
    std::vector<json> got;
    for (std::size_t at = 0; at < stream.size(); at += chunk) {
      reader.Append(stream.data() + at, std::min(chunk, stream.size() - at));
      while (auto m = reader.Next()) got.push_back(*m);
    }
    ASSERT_EQ(got.size(), 2u) << chunk;
    EXPECT_EQ(got[1].at("n"), 7);
  }
}

TEST(Wire, AnUndecodableFrameIsSkippedAndAnOversizedOneRefused) {
  FrameReader reader;
  const std::string garbage = std::string("\0\0\0\2", 4) + "\xc1\xc1";
  const std::string good = EncodeFrame({{"op", "hello"}});
  reader.Append(garbage.data(), garbage.size());
  reader.Append(good.data(), good.size());
  EXPECT_THROW(reader.Next(), json::exception);
  EXPECT_EQ(reader.Next()->at("op"), "hello");

  FrameReader huge;
  huge.Append("\x7f\xff\xff\xff", 4);
  EXPECT_THROW(huge.Next(), std::length_error);
}

// Arrays nested `depth` deep around a nil, as MessagePack.
std::string NestedFrame(std::size_t depth) {
  std::string payload(depth, '\x91');
  payload += '\xc0';
  std::string frame(4, '\0');
  for (int i = 0; i < 4; ++i) frame[static_cast<std::size_t>(i)] = static_cast<char>((payload.size() >> (24 - 8 * i)) & 0xFF);
  return frame + payload;
}

TEST(Wire, AFrameNestedTooDeeplyIsRefusedWithoutRecursionAndTheStreamGoesOn) {
  for (const std::size_t depth : {std::size_t{100000}, kMaxNesting + 1}) {
    FrameReader reader;
    const std::string deep = NestedFrame(depth), good = EncodeFrame({{"op", "hello"}});
    reader.Append(deep.data(), deep.size());
    reader.Append(good.data(), good.size());
    EXPECT_THROW(reader.Next(), json::exception) << depth;
    EXPECT_EQ(reader.Next()->at("op"), "hello");
  }
  FrameReader reader;
  const std::string deepest = NestedFrame(kMaxNesting);
  reader.Append(deepest.data(), deepest.size());
  json value = *reader.Next();
  for (std::size_t level = 0; level < kMaxNesting; ++level) value = json(value.at(0));
  EXPECT_TRUE(value.is_null());

  // Maps count as levels too, and long texts and numbers inside are skipped over, not entered.
  json nested = json::object({{"text", std::string(70000, 'x')}, {"n", 1.5}, {"big", 1ull << 40}});
  for (std::size_t level = 1; level < kMaxNesting; ++level) nested = json::object({{"m", nested}, {"bin", json::binary({1, 2, 3})}});
  const std::string ok = EncodeFrame(nested);
  reader.Append(ok.data(), ok.size());
  EXPECT_EQ(*reader.Next(), nested);
  const std::string tooDeep = EncodeFrame(json::array({nested}));
  reader.Append(tooDeep.data(), tooDeep.size());
  EXPECT_THROW(reader.Next(), json::exception);
}

TEST(Wire, EveryKindOfValueTravelsUnchanged) {
  const std::vector<Variant> values = {Variant(),
                                       automation::Null{},
                                       true,
                                       std::int16_t{-7},
                                       std::int32_t{70000},
                                       0.1,
                                       std::numeric_limits<double>::infinity(),
                                       automation::Date{45000.25},
                                       "张三",
                                       std::string("\xff\xfe not UTF-8"),
                                       automation::ErrorValue{2023}};
  for (const auto& v : values) {
    const auto frame = EncodeFrame(EncodeVariant(v, {}));
    FrameReader reader;
    reader.Append(frame.data(), frame.size());
    EXPECT_EQ(DecodeVariant(*reader.Next(), {}), v) << static_cast<int>(v.kind());
  }
}

}  // namespace
}  // namespace office::wire
