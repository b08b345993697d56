#pragma once
// The document printed to PDF: laid out as the window shows it, on A4 pages with Word's default
// margins, the fonts embedded (CJK ones included) so that any viewer shows the text.

#include <string>

#include "platform/office/word/document.h"

namespace office::windows::word {

std::string RenderPdf(const office::word::DocumentContent& document);

}  // namespace office::windows::word
