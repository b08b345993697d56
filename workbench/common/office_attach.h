#pragma once
// How a command reaches the running Excel and Word. None of these closes, quits or hides what it
// attached to; a failed attach is Cannot create object (429).

#include "platform/automation/variant.h"

namespace workbench {

// Whether a main window of Excel ("XLMAIN") exists, visible or hidden: whether an Excel runs.
bool ExcelMainWindowExists();

// The running Excel when its main window exists, otherwise a new one: invisible, no workbook.
automation::Object AttachOrCreateExcel();
// The running Excel; never creates one.
automation::Object AttachExcel();
// The running Word; never creates one.
automation::Object AttachWord();

}  // namespace workbench
