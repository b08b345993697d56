#pragma once
// The document file: the stand-in's own JSON, for documents and document templates alike, whatever
// the extension; or Office Open XML (docx_file.h).
//
//   {
//     "template": true,                      optional, default false
//     "title": "…",                          optional: the Title document property
//     "main": [ block, … ],                  the main story
//     "stories": { "primaryHeader": [ block, … ], "primaryFooter": [ … ] },   optional
//     "bookmarks": [ { "name": "…", "start": 0, "end": 0 } ]                 optional
//   }
//   block  = { "paragraph": [ inline, … ], "style": "heading1", "align": "center", "indent": 420 }
//          | { "table": [ row, … ], "borders": false, "widths": [ 1200, 3000 ] }
//   row    = [ cell, … ]                     a table has rows, a row has cells
//   cell   = [ inline, … ]
//   inline = { "text": "…" }  |  { "code": "TITLE 房屋坐落", "result": "房屋坐落" }   result optional
//            either with "bold": true, "italic": true, "size": 10.5 (points, in halves)   optional
//
// A paragraph's style is normal (the default), heading1, heading2, heading3 or title; its
// alignment left (the default), center, right or justify; its first-line indent in twips (less than
// 0 for a hanging one). A table has borders unless "borders" is false; its widths are in twips,
// one per column. A "\f" in a text is a page break.
//
// Texts are UTF-8. Bookmark positions are character positions of the main story, counted as the
// automation interface counts them. Members other than these make the file malformed, so that a
// misspelt name in a generated template is caught when it is read.

#include <functional>
#include <string>
#include <string_view>

#include "platform/office/word/document.h"

namespace office::word {

// The formats a document is saved in. Reading needs no format: the file's content says which.
enum class DocumentFormat { Own, OfficeOpenXml, Pdf };

// By the name's extension, as Word's save dialog does: .docx and .dotx are Office Open XML, .pdf
// is PDF.
DocumentFormat FormatOfName(const std::string& path);

// A missing file and a malformed one are automation errors that say which and why. The format the
// file is in is put in *format when asked for.
DocumentContent ReadDocumentFile(const std::string& path, DocumentFormat* format = nullptr);
DocumentContent ParseDocumentJson(std::string_view text, const std::string& fileName);
// The document laid out in pages as a PDF file's bytes; only the windows have the fonts and the
// layout for it.
using PdfRenderer = std::function<std::string(const DocumentContent&)>;

// PDF without a renderer is an automation error.
void WriteDocumentFile(const DocumentContent& document, const std::string& path, DocumentFormat format,
                       const PdfRenderer& pdf = {});

}  // namespace office::word
