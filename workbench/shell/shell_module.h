#pragma once
// Module 主类 of the workbench: the commands the toolbar window starts that are no window of
// their own.

#include "platform/automation/variant.h"

namespace 主类 {

// The shared Excel reference of the protection wizards and the project-document commands.
inline automation::Object excel;

void ToggleWorksheetProtection();
void ToggleWorkbookProtection();

void NewMarketWorkbook();
void NewCostWorkbook();
void NewLandWorkbook();
void NewMarketIncomeReport();
void NewCostReport();
void NewLandReport();
void NewAppraisalContract();
// Picks a workbook in the toolbar window's open-file dialog and opens it in the running Excel.
void OpenWorkbookDialog();

}  // namespace 主类
