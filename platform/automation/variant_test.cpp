#include "platform/automation/variant.h"

#include <gtest/gtest.h>

#include "platform/automation/member_table.h"
#include "platform/runtime/dates.h"
#include "platform/runtime/testing/error_number.h"

namespace automation {
namespace {

using runtime::testing::ErrorNumberOf;

TEST(VariantText, ValuesBecomeThePlatformsText) {
  EXPECT_EQ(Variant().toText(), "");
  EXPECT_EQ(Variant(1234.5).toText(), "1234.5");
  EXPECT_EQ(Variant(0.1 + 0.2).toText(), "0.3");
  EXPECT_EQ(Variant(std::int16_t{-7}).toText(), "-7");
  EXPECT_EQ(Variant(32768).toText(), "32768");
  EXPECT_EQ(Variant(true).toText(), "True");
  EXPECT_EQ(Variant(false).toText(), "False");
  EXPECT_EQ(Variant("市场法 ").toText(), "市场法 ");
  EXPECT_EQ(Variant(Date{runtime::DateSerial(2014, 4, 28)}).toText(), "2014-04-28");
  EXPECT_EQ(Variant(Date{runtime::DateSerial(2014, 4, 28) + 0.25}).toText(), "2014-04-28 06:00:00");
}

TEST(VariantText, ErrorValuesNullAndObjectsWithoutDefaultCannotBeText) {
  EXPECT_EQ(ErrorNumberOf([] { Variant(ErrorValue{2023}).toText(); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant(Null{}).toText(); }), errors::kInvalidUseOfNull);
  EXPECT_EQ(ErrorNumberOf([] { Variant(Object()).toText(); }), errors::kObjectNotSet);
}

TEST(VariantNumbers, StrictConversionOfTexts) {
  EXPECT_DOUBLE_EQ(Variant(" 12.5 ").toDouble(), 12.5);
  EXPECT_DOUBLE_EQ(Variant("1,234.56").toDouble(), 1234.56);
  EXPECT_DOUBLE_EQ(Variant("&H1F").toDouble(), 31);
  EXPECT_DOUBLE_EQ(Variant("-1e3").toDouble(), -1000);
  EXPECT_EQ(ErrorNumberOf([] { Variant("12a").toDouble(); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant("").toDouble(); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant("-").toDouble(); }), errors::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { Variant("1e999").toDouble(); }), errors::kOverflow);
  EXPECT_DOUBLE_EQ(Variant().toDouble(), 0);
  EXPECT_DOUBLE_EQ(Variant(true).toDouble(), -1);
}

TEST(VariantNumbers, IntegerConversionsRoundHalfToEvenAndOverflow) {
  EXPECT_EQ(Variant(2.5).toInt16(), 2);
  EXPECT_EQ(Variant("3.5").toInt16(), 4);
  EXPECT_EQ(Variant(32767).toInt16(), 32767);
  EXPECT_EQ(ErrorNumberOf([] { Variant(32768).toInt16(); }), errors::kOverflow);
  EXPECT_EQ(Variant(70000.0).toInt32(), 70000);
  EXPECT_EQ(Variant().toInt16(), 0);
  EXPECT_EQ(ErrorNumberOf([] { Variant(ErrorValue{2007}).toInt32(); }), errors::kTypeMismatch);
}

TEST(VariantBoolean, TextsAndNumbers) {
  EXPECT_TRUE(Variant("TRUE").toBool());
  EXPECT_FALSE(Variant("false").toBool());
  EXPECT_TRUE(Variant(2).toBool());
  EXPECT_FALSE(Variant().toBool());
  EXPECT_EQ(ErrorNumberOf([] { Variant("ja").toBool(); }), errors::kTypeMismatch);
}

class Cell : public TableDispatch<Cell> {
 public:
  static const MemberTable<Cell>& Members() {
    static const auto table = MemberTable<Cell>()
                                  .Property("Value", [](Cell& c, const Args&) { return c.value; },
                                            [](Cell& c, const Args&, const Variant& v) { c.value = v; })
                                  .Default("Value");
    return table;
  }
  Variant value;
};

TEST(VariantObjects, ObjectsConvertThroughTheirDefaultMember) {
  auto cell = std::make_shared<Cell>();
  cell->value = 1234.5;
  const Variant v{Object(cell)};
  EXPECT_EQ(v.toText(), "1234.5");
  EXPECT_DOUBLE_EQ(v.toDouble(), 1234.5);
  EXPECT_EQ(v.toObject(), Object(cell));
  EXPECT_EQ(ErrorNumberOf([] { Variant(5).toObject(); }), errors::kObjectRequired);
}

}  // namespace
}  // namespace automation
