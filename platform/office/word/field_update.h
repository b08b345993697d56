#pragma once
// Field update: a TITLE field with an argument shows the argument and makes it the document's
// title; TITLE alone shows the title. Other fields keep the result they have.

#include <cstdint>

#include "platform/office/word/document.h"

namespace office::word {

inline constexpr std::int32_t kFieldEmpty = -1;
inline constexpr std::int32_t kFieldTitle = 15;

std::int32_t FieldType(const Field& field);
void UpdateField(DocumentContent& document, Field& field);
// Updates the main story's fields in the span, in document order.
void UpdateFields(DocumentContent& document, Span span);

}  // namespace office::word
