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
