#include "refreshers/common/replacement_step.h"

#include <string>
#include <string_view>

#include "platform/automation/error_modes.h"
#include "platform/runtime/number_format.h"
#include "platform/runtime/numeric_reading.h"
#include "refreshers/common/connection_guard.h"

namespace refreshers {

using automation::Named;
using automation::Object;
using automation::Variant;

namespace {

constexpr std::int32_t kReplaceNone = 0;
constexpr std::int32_t kReplaceAll = 2;
// Word refuses a longer replacement text.
constexpr std::size_t kLongestReplacement = 255;

// Word counts characters in UTF-16 units.
std::size_t WordLength(std::string_view utf8) {
  std::size_t units = 0;
  for (const char ch : utf8) {
    const auto byte = static_cast<unsigned char>(ch);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

// A value too long for a replacement text: each occurrence of the key is found and the found text
// set to the value, going on after it. The insertion point is put back where it stood, since the
// later steps replace forward from it.
void ReplaceInPieces(const RefreshContext& context, const std::string& value) {
  const Object selection = context.Selection();
  const std::int32_t origin = selection.get("Start").toInt32();
  const auto restore = [&] { selection.call("SetRange", origin, origin); };
  try {
    std::int32_t done = origin;
    while (context.find.call("Execute", Named("Replace", kReplaceNone), Named("Forward", true)).toBool()) {
      const std::int32_t start = selection.get("Start").toInt32();
      // A find that wrapped round would reach text already done, the inserted values included.
      if (start < done || selection.get("End").toInt32() == start) break;
      selection.put("Text", value);
      done = selection.get("End").toInt32();
      selection.call("SetRange", done, done);
    }
  } catch (const automation::Error&) {
    automation::ResumeNext()(restore);
    throw;
  }
  restore();
}

std::string ReplacementText(const Variant& value, std::string_view format) {
  std::string text = value.toText();
  if (format.empty()) return text;
  return runtime::FormatNumber(runtime::ReadLeadingNumber(text), format);
}

std::string EscapeCarets(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char ch : text) {
    escaped += ch;
    if (ch == '^') escaped += '^';
  }
  return escaped;
}

void ReplaceKey(const RefreshContext& context, const std::string& key, const std::string& value) {
  const std::string findText = EscapeCarets(key);
  const std::string replacement = EscapeCarets(value);
  if (WordLength(replacement) <= kLongestReplacement) {
    context.find.call("Execute", Named("FindText", findText), Named("ReplaceWith", replacement),
                      Named("Replace", kReplaceAll), Named("Forward", true));
    return;
  }
  context.find.put("Text", findText);
  if (!key.empty()) ReplaceInPieces(context, value);  // an empty key matches nothing
}

}  // namespace

void ReplacementStep(const RefreshContext& context, const RowRange& range, std::int16_t row) {
  const std::string key = context.CellValue(range.sheet, row, range.key).toText();
  const std::string value = ReplacementText(context.CellValue(range.sheet, row, range.value), range.format);
  ReplaceKey(context, key, value);
}

void RunRowTable(const RefreshContext& context, RowTable table, OnError mode) {
  SkipFailedSteps skip;
  for (const RowRange& range : table) {
    for (std::int32_t row = range.first; row <= range.last; ++row) {
      const auto step = [&] { ReplacementStep(context, range, static_cast<std::int16_t>(row)); };
      if (mode == OnError::SkipRow)
        skip(step);
      else
        step();
    }
  }
}

}  // namespace refreshers
