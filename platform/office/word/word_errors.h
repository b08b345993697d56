#pragma once
// The errors the stand-in Word raises, with Word's numbers.

#include <string>

#include "platform/runtime/error.h"

namespace office::word::errors {

inline constexpr long kBadParameter = 4120;
inline constexpr long kBadFileName = 4160;
inline constexpr long kCommandFailed = 4198;
inline constexpr long kNoDocumentOpen = 4248;
inline constexpr long kFileNotFound = 5174;
inline constexpr long kBadReplaceCode = 5623;
inline constexpr long kFileCorrupt = 5792;
inline constexpr long kObjectDeleted = 5825;
inline constexpr long kStringTooLong = 5854;
inline constexpr long kNoSuchCollectionMember = 5941;

[[noreturn]] inline void Raise(long number, std::string description) { runtime::Raise(number, std::move(description)); }

}  // namespace office::word::errors
