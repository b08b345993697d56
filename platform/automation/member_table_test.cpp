#include "platform/automation/member_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/automation/dispatch.h"
#include "platform/runtime/testing/error_number.h"

namespace automation {
namespace {

using runtime::testing::ErrorNumberOf;

// A small document with a find object and a collection, the shapes the stand-ins are made of.
class Item : public TableDispatch<Item> {
 public:
  static const MemberTable<Item>& Members() {
    static const auto table = MemberTable<Item>()
                                  .Property("Name", [](Item& i, const Args&) { return Variant(i.name); },
                                            [](Item& i, const Args&, const Variant& v) { i.name = v.toText(); })
                                  .Default("Name");
    return table;
  }
  std::string name;
};

class Items : public TableDispatch<Items> {
 public:
  static const MemberTable<Items>& Members() {
    static const auto table =
        MemberTable<Items>()
            .Property("Item", [](Items& c, const Args& a) { return Variant(Object(c.items.at(a[0].toText()))); }, {},
                      {"Index"})
            .Property("Count", [](Items& c, const Args&) { return Variant(static_cast<std::int32_t>(c.items.size())); })
            .Method("Execute", {"FindText", "MatchCase", "ReplaceWith", "Replace"},
                    [](Items& c, const Args& a) {
                      c.lastCall = a[0].toText() + "|" + (a.has(1) ? a[1].toText() : "-") + "|" +
                                   a.value(2, "").toText() + "|" + a.value(3, 0).toText();
                      return Variant(true);
                    })
            .Default("Item");
    return table;
  }
  std::map<std::string, std::shared_ptr<Item>> items;
  std::string lastCall;
};

class Host : public TableDispatch<Host> {
 public:
  static const MemberTable<Host>& Members() {
    static const auto table =
        MemberTable<Host>()
            .Property("Items", [](Host& h, const Args&) { return Variant(Object(h.items)); })
            .Property("Caption", [](Host& h, const Args&) { return Variant(h.caption); },
                      [](Host& h, const Args&, const Variant& v) { h.caption = v.toText(); });
    return table;
  }
  std::shared_ptr<Items> items = std::make_shared<Items>();
  std::string caption;
};

struct MemberTableTest : ::testing::Test {
  MemberTableTest() {
    host->items->items["参数"] = std::make_shared<Item>();
    host->items->items["参数"]->name = "参数";
  }
  std::shared_ptr<Host> host = std::make_shared<Host>();
  Object app{host};
};

TEST_F(MemberTableTest, MembersAreFoundInAnyLetterCase) {
  app.put("CAPTION", "Qorvane");
  EXPECT_EQ(app.get("caption").toText(), "Qorvane");
  EXPECT_EQ(app.obj("iTeMs").get("count").toInt32(), 1);
}

TEST_F(MemberTableTest, ArgumentsOnAPropertyWithoutParametersGoToTheDefaultMember) {
  EXPECT_EQ(app.get("Items", "参数").toText(), "参数");
  app.put("Items", "参数", "新名");
  EXPECT_EQ(host->items->items["参数"]->name, "新名");
  EXPECT_EQ(app.obj("Items").obj("Item", "参数").get("").toText(), "新名");
}

TEST_F(MemberTableTest, NamedArgumentsBindByParameterName) {
  const Object items = app.obj("Items");
  items.call("Execute", "甲", Named("replace", 2), Named("ReplaceWith", "乙"));
  EXPECT_EQ(host->items->lastCall, "甲|-|乙|2");
  items.call("Execute", "甲", false);
  EXPECT_EQ(host->items->lastCall, "甲|False||0");
  EXPECT_EQ(ErrorNumberOf([&] { items.call("Execute", "甲", Named("Wrap", 1)); }), errors::kNamedArgumentNotFound);
  EXPECT_EQ(ErrorNumberOf([&] { items.call("Execute"); }), errors::kArgumentNotOptional);
}

TEST_F(MemberTableTest, MissingMembersAndReadOnlyProperties) {
  EXPECT_EQ(ErrorNumberOf([&] { app.get("Nothing"); }), errors::kNoSuchMember);
  EXPECT_EQ(ErrorNumberOf([&] { app.call("Quit"); }), errors::kNoSuchMember);
  EXPECT_EQ(ErrorNumberOf([&] { app.get(""); }), errors::kNoSuchMember) << "no default member";
  EXPECT_EQ(ErrorNumberOf([&] { app.put("Items", 5); }), errors::kArgumentNotOptional) << "assigns Item, which needs its index";
  EXPECT_EQ(ErrorNumberOf([&] { app.obj("Items").put("Count", 3); }), errors::kObjectRequired) << "read-only, not an object";
  EXPECT_EQ(ErrorNumberOf([] { Object().get("Name"); }), errors::kObjectNotSet);
}

TEST_F(MemberTableTest, AChainOnTemporaryObjectsDoesWhatItsStepsDoAndFailsWhereTheyFail) {
  EXPECT_EQ(Path(app).to("Items").to("Item", "参数").get("Name").toText(), "参数");
  Path(app).to("Items").to("Item", "参数").put("Name", "新名");
  EXPECT_EQ(host->items->items["参数"]->name, "新名");
  EXPECT_TRUE(Path(app).to("Items").call("Execute", "甲", Named("Replace", 2)).toBool());
  EXPECT_EQ(host->items->lastCall, "甲|-||2");
  EXPECT_EQ(Path(app).get("Caption"), app.get("Caption")) << "a chain of one step";

  host->items->lastCall.clear();
  const auto same = [](const std::function<void()>& chain, const std::function<void()>& stepByStep) {
    const long number = ErrorNumberOf(chain);
    EXPECT_NE(number, 0);
    EXPECT_EQ(number, ErrorNumberOf(stepByStep));
    return number;
  };
  EXPECT_EQ(same([&] { Path(app).to("Missing").to("Items").call("Execute", "甲"); },
                 [&] { app.obj("Missing").obj("Items").call("Execute", "甲"); }),
            errors::kNoSuchMember);
  EXPECT_EQ(host->items->lastCall, "") << "no step after the failing one runs";
  EXPECT_EQ(same([&] { Path(app).to("Caption").get("Name"); }, [&] { app.obj("Caption").get("Name"); }),
            errors::kObjectRequired)
      << "a step that gives no object";
  EXPECT_EQ(same([&] { Path(app).to("Items").put("Count", 3); }, [&] { app.obj("Items").put("Count", 3); }),
            errors::kObjectRequired)
      << "the last step";
  EXPECT_EQ(same([&] { Path(app).to("Items").call("Execute"); }, [&] { app.obj("Items").call("Execute"); }),
            errors::kArgumentNotOptional);
  EXPECT_EQ(same([] { Path(Object()).to("Items").get("Count"); }, [] { Object().obj("Items").get("Count"); }),
            errors::kObjectNotSet);
}

}  // namespace
}  // namespace automation
