#include "platform/office/word/field_update.h"

#include <optional>
#include <string_view>

#include "platform/automation/member_table.h"
#include "platform/office/word/story.h"

namespace office::word {
namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The argument of a TITLE code ("" for TITLE alone), or nothing for another kind of field. The
// argument is the rest of the code, so that a key with blanks stays whole; quotes around it go.
std::optional<std::string_view> TitleArgument(std::string_view code) {
  code = Trim(code);
  const std::string_view keyword = code.substr(0, code.find(' '));
  if (automation::FoldCase(keyword) != "title") return std::nullopt;
  std::string_view argument = Trim(code.substr(keyword.size()));
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
    argument = argument.substr(1, argument.size() - 2);
  return argument;
}

}  // namespace

std::int32_t FieldType(const Field& field) { return TitleArgument(field.code) ? kFieldTitle : kFieldEmpty; }

void UpdateField(DocumentContent& document, Field& field) {
  const auto argument = TitleArgument(field.code);
  if (!argument) return;
  if (!argument->empty()) document.title = std::string(*argument);
  field.result = document.title;
}

void UpdateFields(DocumentContent& document, Span span) {
  for (Field* field : FieldsIn(document.main, span)) UpdateField(document, *field);
}

}  // namespace office::word
