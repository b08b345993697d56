#pragma once
// officectl's expressions: one member chain on a running application, with literal arguments,
// named arguments (Name:=value) and an optional assignment at the end.
//
//   Excel.ActiveWorkbook.Worksheets("参数").Range("E7").Value = "张三"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/variant.h"

namespace officectl {

struct Step {
  std::string member;
  automation::Arguments args;
  bool parenthesised = false;
};

struct Expression {
  std::string application;  // Excel, Word, Access
  std::vector<Step> steps;
  std::optional<automation::Variant> assigned;
};

// std::invalid_argument naming the position when the text is not such an expression.
Expression ParseExpression(std::string_view text);

}  // namespace officectl
