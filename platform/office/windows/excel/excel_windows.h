#pragma once
// The stand-in Excel's window: the main window "XLMAIN" with its workbooks, the active
// workbook's sheet tabs, the grid of the active sheet and the formula bar, kept in step with the
// object model. What the user does in it goes through the same automation members a program
// would call (Range.Value, Range.Select, Worksheet.Activate, Workbook.Activate, Workbooks.Open,
// Workbook.Save, Workbook.SaveAs, Workbook.Close, Application.Quit), so the same checks and refusals
// apply. A changed workbook is not closed by the user without the save question.
//
// Perform's actions, for the tests' hands from outside:
//   {"type", "E7", "张三"}   selects E7 of the active sheet in the grid, then enters the text as
//                            the cell editor does (a refusal shows its message box)
//   {"select", "B3:C4"}      selects the range in the grid, as dragging over it does
//   {"sheet", "参数"}         clicks that sheet's tab
//   {"book", "市场法1"}       chooses that workbook from the workbook tabs
// Any other action, a missing cell or tab: false.

#include <memory>

#include "platform/office/excel/application.h"
#include "platform/office/windows/application_windows.h"

namespace office::windows {

std::unique_ptr<ApplicationWindows> MakeExcelWindows(std::shared_ptr<excel::ExcelApplication> app, UserActed acted);

}  // namespace office::windows
