#pragma once
// Reads a workbook description (data/workbooks/*.txt) into a workbook model.
//
// One directive or cell per line; "#" starts a comment line.
//   template NAME            the file name written to the program folder
//   include FILE             the lines of another description (relative to the including file)
//   sheet NAME               creates the sheet, or selects it again
//   protect                  the sheet is protected with the worksheet password
//   width COLS W             column width, COLS "A" or "D:F"
//   print RANGE              print area
//   table FIRST LAST         rows of table 1; a hidden copy follows as the template block
//   unlock RANGE             cells the user may edit on the protected sheet
//   format RANGE PATTERN     number format of the cells (display only)
//   title RANGE              the sheet's or table's title: merged, bold, large, centred
//   box RANGE                a table: lines around every cell, its locked cells coloured
//   heading RANGE            a heading row of a table: bold and coloured
//   bold RANGE / center RANGE / wrap RANGE / merge RANGE
//                            bold text, centred text, wrapped text, one merged cell
//   values NAME              the value sheet NAME: keys, names and values of its list
//   keys LIST                the result summary's key cells (and land values) of that list
//   active NAME              the sheet active when the workbook opens
//   ADDR FLAG [CONTENT]      FLAG "." locked, "u" unlocked input, "c" computed (locked, coloured);
//                            CONTENT "=..." formula, a number, "'..." text as typed, else text
#include <filesystem>
#include <vector>

#include "tools/templategen/keys.h"
#include "tools/templategen/workbook.h"

namespace templategen {

// Throws std::runtime_error with file and line on a malformed description.
Workbook ReadWorkbookDescription(const std::filesystem::path& file, const std::vector<KeyRow>& keys);

// Applies the template block: copies table 1 of each sheet that has one below it and hides it.
void AppendTemplateBlocks(Workbook& workbook);

}  // namespace templategen
