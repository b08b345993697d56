#pragma once
// The document exported to PDF: paged as it prints, the fonts embedded (CJK ones included) so
// that any viewer shows the text.

#include <string>

#include "platform/office/word/document.h"

namespace office::windows::word {

std::string RenderPdf(const office::word::DocumentContent& document);

}  // namespace office::windows::word
