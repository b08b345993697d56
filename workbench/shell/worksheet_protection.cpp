#include "workbench/shell/worksheet_protection.h"

#include "workbench/common/passwords.h"

namespace 主类 {

using automation::Named;
using workbench::kWorksheetPassword;

// No other option is passed: the application's defaults hold for the rest.
void ProtectWorksheet(const automation::Object& sheet) {
  sheet.call("Protect", kWorksheetPassword, Named("DrawingObjects", true), Named("Contents", true),
             Named("Scenarios", true), Named("AllowFormattingCells", true));
}

void UnprotectWorksheet(const automation::Object& sheet) { sheet.call("Unprotect", kWorksheetPassword); }

}  // namespace 主类
