#pragma once
// Reads a document description (data/documents/*.txt) into a document model.
//
//   template NAME            the file name written to the program folder
//   title TEXT               the document's title property
//   reads LIST RANGE         key cells of LIST that placeholders may use (what the refresher reads)
//   header TEXT | footer TEXT  a paragraph of the page header or footer (no placeholders there)
//   TEXT                     a paragraph of the main text; "{{LIST:CELL}}" is a placeholder field
//                            for the key in that key cell, e.g. {{市场:A16}} or {{房屋汇总:L8}};
//                            "**" starts and ends bold text, in a table's cells too
//   (empty line)             an empty paragraph
//   indent TWIPS             the first-line indent of the body text's paragraphs from here on
//   @title TEXT | @h1 TEXT | @h2 TEXT | @h3 TEXT   a paragraph in the title (centred) or a heading style
//   @center TEXT | @right TEXT                       a paragraph of body text so aligned
//   @pagebreak               a page break, in a paragraph of its own
//   table [BOOKMARK]         a table, its rows on the following "| a | b |" lines, up to "end";
//                            a "widths W …" line before the rows gives the columns' widths in twips.
//                            A table follows a paragraph: two tables together would be one.
#include <filesystem>
#include <vector>

#include "tools/templategen/document.h"
#include "tools/templategen/keys.h"

namespace templategen {

// Throws std::runtime_error with file and line on a malformed description or on a placeholder
// whose key is not in the document's read set.
Document ReadDocumentDescription(const std::filesystem::path& file, const std::vector<KeyRow>& keys);

}  // namespace templategen
