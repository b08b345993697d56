#pragma once
// The numeric reading of a text: the longest leading decimal number, blanks skipped anywhere.

#include <string_view>

namespace runtime {

// Optional sign, digits, one ".", optional exponent; blanks, tabs and line feeds are skipped
// wherever they stand; "&H"/"&O" read hexadecimal/octal. Stops at the first other character;
// no number reads as 0. A number beyond the double range raises Overflow (6).
double ReadLeadingNumber(std::string_view text);

}  // namespace runtime
