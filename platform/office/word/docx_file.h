#pragma once
// Office Open XML word-processing files (.docx, .dotx), as Word writes and reads them: the body's
// paragraphs with their style, alignment and first-line indent, runs with bold, italic and size,
// tables with their borders and column widths, fields as begin, code (instrText), separator, shown
// result and end marks (or as a simple field), tabs, line and page breaks, bookmarks, the header
// and the footer, and the title in the core properties. A paragraph's style is known by the name
// the styles part gives its id. What the model does not hold (fonts, images) is not read.

#include <string>
#include <string_view>

#include "platform/office/word/document.h"

namespace office::word {

// Throws PackageError saying what is wrong with the file.
DocumentContent ReadDocx(std::string_view bytes);
// Word opens a .docx only as a document and a .dotx only as a template: the package says which.
std::string WriteDocx(const DocumentContent& document, bool asTemplate);

}  // namespace office::word
