#pragma once
// A trappable run-time error: what the system's handlers catch in both error modes.

#include <stdexcept>
#include <string>

namespace runtime {

namespace errors {
inline constexpr long kOverflow = 6;
inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kTypeMismatch = 13;
inline constexpr long kInvalidUseOfNull = 94;
inline constexpr long kObjectNotSet = 91;
inline constexpr long kObjectRequired = 424;
inline constexpr long kCannotCreateObject = 429;
inline constexpr long kRemoteServerUnavailable = 462;  // the automation server is gone
inline constexpr long kNoSuchMember = 438;
inline constexpr long kNamedArgumentNotFound = 448;
inline constexpr long kArgumentNotOptional = 449;
inline constexpr long kApplicationDefined = 1004;
inline constexpr long kIntegrityViolation = -2147217873;  // 0x80040E2F
}  // namespace errors

// The platform's own wording for a number, used when a raiser gives none.
std::string DefaultDescription(long number);

class Error : public std::runtime_error {
 public:
  explicit Error(long number, std::string description = {});
  long number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  long number_;
  std::string description_;
};

[[noreturn]] void Raise(long number, std::string description = {});

}  // namespace runtime
