#pragma once
// Splits a formula (the text after "=") into tokens, in A1 or R1C1 notation.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/office/excel/formula.h"

namespace excel {

enum class Notation { A1, R1C1 };

struct FormulaSyntaxError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A reference side as written: in R1C1 a relative part is an offset from the formula cell.
struct WrittenPoint {
  bool hasRow = false, hasColumn = false;
  int row = 0, column = 0;
  bool rowAbsolute = false, columnAbsolute = false;
};

struct LexToken {
  enum class Kind { Number, Text, Error, Boolean, Name, Function, Reference, Operator, Open, Close, Comma, End };
  Kind kind = Kind::End;
  std::string text;  // operator, name, function name, text literal, sheet name
  double number = 0;
  CellError error = CellError::Value;
  bool hasSheet = false;
  WrittenPoint first, last;
  bool isRange = false;
};

std::vector<LexToken> LexFormula(std::string_view body, Notation notation);

}  // namespace excel
