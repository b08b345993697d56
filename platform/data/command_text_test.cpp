#include "platform/data/command_text.h"

#include <gtest/gtest.h>

#include "platform/data/provider_errors.h"
#include "platform/runtime/testing/error_number.h"

namespace data {
namespace {

using runtime::testing::ErrorNumberOf;

const std::vector<std::string> kHouseColumns = {
    "序号", "建筑物名称", "交易价格", "地址", "所在区县", "交易情况", "交易时间", "交易状况", "付款方式", "土地使用年限",
    "房产用途", "土地级别", "产业规模", "设施完善程度", "交通便捷程度", "市场配合", "自然条件状况", "环境质量",
    "城市规划限制", "临街状况地势", "新旧程度", "面积", "装修情况", "设施设备", "平面布置", "工程质量", "建筑结构",
    "楼层", "朝向"};

std::optional<std::vector<std::string>> HouseTable(const std::string& name, std::string& table) {
  if (name != "Table1" && name != "table1" && name != "TABLE1") return std::nullopt;
  table = "Table1";
  return kHouseColumns;
}

Command Read(const std::string& text, CommandType type = CommandType::Text) { return ReadCommand(type, text, HouseTable); }

TEST(CommandText, ReadsTheCommandsOfTheCaseWindowsAsWritten) {
  const Command load = Read(
      "select   序号,建筑物名称,  交易价格,  地址,  所在区县,交易情况,交易时间,交易状况,付款方式,土地使用年限,房产用途,"
      "土地级别,产业规模,设施完善程度,交通便捷程度,市场配合,自然条件状况,环境质量,城市规划限制,临街状况地势,新旧程度,"
      "面积,装修情况,设施设备,平面布置,工程质量,建筑结构,楼层,朝向 from Table1");
  EXPECT_EQ(load.table, "Table1");
  EXPECT_EQ(load.columns, kHouseColumns);
  EXPECT_FALSE(load.condition);

  const Command search = Read("select * from Table1 where 建筑物名称 like '花园'+'%'");
  EXPECT_EQ(search.columns, kHouseColumns);
  ASSERT_TRUE(search.condition);
  EXPECT_EQ(search.condition->column, "建筑物名称");
  EXPECT_EQ(search.condition->pattern, "花园%");

  EXPECT_EQ(Read("Table1", CommandType::Table).columns, kHouseColumns);
  EXPECT_EQ(Read("Table1", CommandType::Unknown).table, "Table1");
  EXPECT_EQ(Read("SELECT 交易价格 FROM table1 WHERE 交易价格 LIKE ''+'%'").condition->pattern, "%");
}

TEST(CommandText, QuotesAndBracketsMatchLiterally) {
  EXPECT_EQ(Read("select * from Table1 where 地址 like 'O''Brien'+'%'").condition->pattern, "O'Brien%");
  EXPECT_EQ(Read("select * from Table1 where 地址 like '100[%][_]a[[]b]'+'%'").condition->pattern, "100\\%\\_a[b]%");
  EXPECT_EQ(Read("select * from Table1 where 地址 like 'a\\b_'+'%'").condition->pattern, "a\\\\b_%");
  EXPECT_EQ(Read("select * from Table1 where 地址 like '[花]'").condition->pattern, "花");
}

// What a user types can only end up inside the pattern, or make the command unreadable.
TEST(CommandText, TypedTextNeverChangesTheStatement) {
  const Command quoted = Read("select * from Table1 where 建筑物名称 like 'x'' or ''1''=''1'+'%'");
  EXPECT_EQ(quoted.condition->pattern, "x' or '1'='1%");
  for (const char* text : {"select * from Table1 where 建筑物名称 like 'x' or '1'='1'+'%'",
                           "select * from Table1 where 建筑物名称 like 'x'; drop table Table1 --'+'%'",
                           "select * from Table1 where 建筑物名称 like 'x'+'%' union select * from Table1"})
    EXPECT_EQ(ErrorNumberOf([&] { Read(text); }), errors::kSyntax) << text;
}

TEST(CommandText, RefusesWhatItDoesNotRead) {
  EXPECT_EQ(ErrorNumberOf([] { Read("select * from Table2"); }), errors::kNoSuchTable);
  EXPECT_EQ(ErrorNumberOf([] { Read("select 价格 from Table1"); }), errors::kNoSuchField);
  EXPECT_EQ(ErrorNumberOf([] { Read("select * from Table1 where 价格 like '1'"); }), errors::kNoSuchField);
  for (const char* text : {"", "select", "select * from", "select * Table1", "delete from Table1",
                           "select * from Table1 where 地址 like '花园", "select * from Table1 where 地址 = '1'",
                           "select * from Table1 where 地址 like 花园", "select * from Table1 where 地址 like '[ab]'",
                           "select * from Table1 where 地址 like '[a'", "select *, 地址 from Table1",
                           "select 地址,, from Table1", "select * from [Table1]"})
    EXPECT_EQ(ErrorNumberOf([&] { Read(text); }), errors::kSyntax) << text;
  EXPECT_EQ(ErrorNumberOf([] { Read("select * from Table1", CommandType::Table); }), errors::kNoSuchTable);
  EXPECT_EQ(ErrorNumberOf([] { Read("Table1", CommandType::Text); }), errors::kSyntax);
}

}  // namespace
}  // namespace data
