#include "platform/automation/member_table.h"

namespace automation {

std::string FoldCase(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

const Variant& Args::operator[](std::size_t i) const {
  if (!has(i)) Raise(errors::kArgumentNotOptional);
  return *values_[i];
}

}  // namespace automation
