#pragma once
// A parsed formula: its tokens in evaluation (postfix) order, with references kept as sheet
// coordinates so that moving rows only rewrites the references that point at the moved rows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace excel {

// Cell error values by the numbers the automation interface gives them.
enum class CellError : std::int32_t { Null = 2000, Div0 = 2007, Value = 2015, Ref = 2023, Name = 2029, Num = 2036, NA = 2042 };

std::string_view ErrorText(CellError error);
std::optional<CellError> ErrorFromText(std::string_view text);

using SheetId = int;
inline constexpr SheetId kOwnSheet = 0;  // a reference without a sheet name

struct RefPoint {
  int row = 1, column = 1;
  bool rowAbsolute = false, columnAbsolute = false;
};

struct Reference {
  enum class Span { Cells, Rows, Columns };  // A1:B2, 1:3, A:C
  SheetId sheet = kOwnSheet;
  RefPoint first, last;
  bool isRange = false;  // written with a colon
  Span span = Span::Cells;
};

struct Token {
  enum class Type { Number, Text, Boolean, Error, Reference, Name, Missing, Unary, Binary, Paren, Function };
  Type type = Type::Number;
  double number = 0;       // Number; Boolean as 0 or 1
  std::string text;        // Text literal, Name, Function name (upper case), operator
  CellError error = CellError::Value;
  Reference ref;
  int argumentCount = 0;   // Function
};

struct Formula {
  std::vector<Token> tokens;
};

}  // namespace excel
