#pragma once
// The document file: JSON, for documents and document templates alike, whatever the extension.
//
//   {
//     "template": true,                      optional, default false
//     "title": "…",                          optional: the Title document property
//     "main": [ block, … ],                  the main story
//     "stories": { "primaryHeader": [ block, … ], "primaryFooter": [ … ] },   optional
//     "bookmarks": [ { "name": "…", "start": 0, "end": 0 } ]                 optional
//   }
//   block  = { "paragraph": [ inline, … ] }  |  { "table": [ row, … ] }
//   row    = [ cell, … ]                     a table has rows, a row has cells
//   cell   = [ inline, … ]
//   inline = { "text": "…" }  |  { "code": "TITLE 房屋坐落", "result": "房屋坐落" }   result optional
//
// Texts are UTF-8. Bookmark positions are character positions of the main story, counted as the
// automation interface counts them. Members other than these make the file malformed, so that a
// misspelt name in a generated template is caught when it is read.

#include <string>
#include <string_view>

#include "platform/office/word/document.h"

namespace office::word {

// A missing file and a malformed one are automation errors that say which and why.
DocumentContent ReadDocumentFile(const std::string& path);
DocumentContent ParseDocumentJson(std::string_view text, const std::string& fileName);
void WriteDocumentFile(const DocumentContent& document, const std::string& path);

}  // namespace office::word
