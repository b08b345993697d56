#pragma once
// Automation errors are the run-time's trappable errors, so an overflow in a conversion and a
// failing call on an object are caught alike by the error modes.

#include "platform/runtime/error.h"

namespace automation {

using runtime::Error;
using runtime::Raise;
namespace errors = runtime::errors;

}  // namespace automation
