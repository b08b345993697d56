#pragma once
// Excel's short hash of a sheet or workbook password, the form .xlsx files keep it in ("CC1A").

#include <string>
#include <string_view>

namespace excel {

std::string LegacyPasswordHash(std::string_view password);

// Whether `given` is the password kept as its text, or, when only its hash is known, as that hash.
bool PasswordMatches(std::string_view given, std::string_view text, std::string_view hash);

}  // namespace excel
