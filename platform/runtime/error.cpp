#include "platform/runtime/error.h"

namespace runtime {

std::string DefaultDescription(long number) {
  switch (number) {
    case errors::kOverflow: return "Overflow";
    case errors::kSubscriptOutOfRange: return "Subscript out of range";
    case errors::kTypeMismatch: return "Type mismatch";
    case errors::kInvalidUseOfNull: return "Invalid use of Null";
    case errors::kObjectNotSet: return "Object variable or With block variable not set";
    case errors::kObjectRequired: return "Object required";
    case errors::kCannotCreateObject: return "ActiveX component can't create object";
    case errors::kNoSuchMember: return "Object doesn't support this property or method";
    case errors::kNamedArgumentNotFound: return "Named argument not found";
    case errors::kArgumentNotOptional: return "Argument not optional";
    case errors::kApplicationDefined: return "Application-defined or object-defined error";
    case errors::kIntegrityViolation: return "The value violates the integrity constraints for a column or table";
    default: return "Run-time error " + std::to_string(number);
  }
}

static std::string DescriptionOr(long number, std::string description) {
  return description.empty() ? DefaultDescription(number) : std::move(description);
}

Error::Error(long number, std::string description)
    : std::runtime_error(DescriptionOr(number, description)),
      number_(number),
      description_(DescriptionOr(number, std::move(description))) {}

void Raise(long number, std::string description) { throw Error(number, std::move(description)); }

}  // namespace runtime
