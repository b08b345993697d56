#pragma once
// The command texts the case database provider accepts, read into a command whose texts are
// bound as parameters when it runs, never spliced into SQLite's SQL:
//
//   Table1                                              (a table by name)
//   select * from Table1
//   select 序号, 建筑物名称, … from Table1
//   select * from Table1 where 建筑物名称 like '花园'+'%'
//
// A text between quotes writes a quote as two; '+' joins texts. In a like pattern % stands for
// any characters, _ for one, and [x] for x itself. Keywords are read in any letter case; table and
// column names are matched in any letter case too and must exist. Anything else is refused with
// the provider's syntax error.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace data {

enum class CommandType { Unknown = 8, Text = 1, Table = 2 };

struct LikeCondition {
  std::string column;
  std::string pattern;  // SQLite's LIKE pattern, with \ as its escape character
};

struct Command {
  std::string table;
  std::vector<std::string> columns;  // the table's own spelling, in the order to show them
  std::optional<LikeCondition> condition;
};

// The columns of a table in their order, by the table's name in any letter case; none when no
// such table exists. The table's own spelling of its name goes into the out parameter.
using TableColumns = std::function<std::optional<std::vector<std::string>>(const std::string& name, std::string& table)>;

Command ReadCommand(CommandType type, const std::string& text, const TableColumns& columnsOf);

// A pattern of the command dialect as SQLite's LIKE with the escape character \.
std::string ToSqliteLike(const std::string& pattern);

}  // namespace data
