#pragma once
// The stand-in's workbook file: one JSON format for workbooks and templates.
//
//   {
//     "template": true,                      optional: opens as a new workbook based on it
//     "activeSheet": "市场法计算表",           optional: else the first visible sheet
//     "protection": {"password": "pw", "structure": true},      optional, the workbook's
//     "sheets": [                            in the workbook's order
//       {
//         "name": "市场法计算表",
//         "hidden": true,                    optional
//         "cells": {                         by A1 address; each holds "value" or "formula"
//           "A1": {"value": "计算表编号：1"},   text, number or boolean
//           "B1": {"formula": "=ROW(A38)"},  A1 notation
//           "D9": {"value": 12.5, "locked": false, "format": "0.00"},  locked by default
//           "A2": {"value": "标题", "fill": "#DDEBF7", "font": {"bold": true, "italic": false,
//                  "size": 16, "color": "#1F4E78"}, "align": "center", "valign": "center",
//                  "wrap": true, "borders": {"left": "thin", "top": "thin", "right": "thin",
//                  "bottom": "medium"}}                  every part optional
//         },
//         "merges": ["A2:O2"],               merged areas; they may not overlap
//         "rowHeights": {"2": 24},           points, by row; 13.5 when absent
//         "hiddenRows": ["38:73", "80:80"],  first:last
//         "columnWidths": {"A": 12.5},       by column letters; 8.38 when absent
//         "printArea": "$A$2:$O$37",         optional
//         "protection": {"password": "pw", "drawingObjects": true, "contents": true,
//                        "scenarios": true, "allowFormattingCells": false}   optional
//       }
//     ]
//   }
//
// A file that breaks these rules is refused whole with error 1004 saying what is wrong. A password
// known only by Excel's hash of it, from an .xlsx file, is kept as "passwordHash" instead.
//
// A file may also be an .xlsx package (see xlsx_file.h): its content, not its name, says which.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/office/excel/workbook_model.h"

namespace excel {

enum class FileKind { StandIn, Xlsx };

struct WorkbookFile {
  std::shared_ptr<BookModel> book;  // name and path not set
  bool isTemplate = false;
  FileKind kind = FileKind::StandIn;
};

WorkbookFile ParseWorkbookJson(std::string_view json, std::string_view fileName);
std::string WorkbookJson(const BookModel& book, bool isTemplate);

// Excel's template extensions, .xlt and .xltx, in any letter case.
bool IsTemplatePath(const std::string& path);

// The kind a save writes: the file format number where given (51-54 and 61 are .xlsx), else
// the extension (.xlsx, .xlsm, .xltx, .xltm).
FileKind KindForSave(const std::string& path, std::optional<int> fileFormat);
bool IsTemplateSave(const std::string& path, std::optional<int> fileFormat);

WorkbookFile ReadWorkbookFile(const std::string& path);
void WriteWorkbookFile(BookModel& book, const std::string& path, bool isTemplate, FileKind kind);

}  // namespace excel
