#pragma once
// The numeric reading of a text: the longest leading decimal number, blanks skipped anywhere.

#include <optional>
#include <string_view>

namespace runtime {

// Optional sign, digits, one ".", optional exponent; blanks, tabs and line feeds are skipped
// wherever they stand; "&H"/"&O" read hexadecimal/octal. Stops at the first other character;
// no number reads as 0. A number beyond the double range raises Overflow (6).
double ReadLeadingNumber(std::string_view text);

struct DecimalSyntax {
  bool groupedThousands = false;  // "1,234,567.5": one to three digits, then groups of three
  bool dExponent = false;         // "1D3" is 1E3
};

// The value of a text that is one decimal number (optional sign, digits with an optional ".",
// optional exponent) with nothing else than blanks around it; nullopt when it is not one. The
// scan is linear in the text, so any length is safe. Beyond the double range: an infinity.
std::optional<double> WholeDecimalNumber(std::string_view text, DecimalSyntax syntax = {});

}  // namespace runtime
