#pragma once
// The numbers the case database provider reports, as signed 32-bit values, and its wording.

namespace data::errors {

inline constexpr long kUnspecified = -2147467259;        // 0x80004005: the file cannot be opened
inline constexpr long kSyntax = -2147217900;             // 0x80040E14: a command text it does not read
inline constexpr long kNoSuchField = -2147217904;        // 0x80040E10: a column the table lacks
inline constexpr long kNoSuchTable = -2147217865;        // 0x80040E37
inline constexpr long kTypeMismatch = -2147217913;       // 0x80040E07: text where the column wants a number
inline constexpr long kIntegrityViolation = -2147217873; // 0x80040E2F: duplicate or missing required value
inline constexpr long kProviderNotFound = -2146824582;   // 0x800A0E7A
inline constexpr long kNoCurrentRecord = -2146825267;    // 0x800A0BCD: BOF or EOF, or the row was deleted
inline constexpr long kNotOpen = -2146824584;            // 0x800A0E78: the row set is closed

}  // namespace data::errors
