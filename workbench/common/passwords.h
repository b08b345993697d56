#pragma once
// The fixed protection passwords of the project workbook.

namespace workbench {

// Every worksheet that the system protects or unprotects.
inline constexpr const char* kWorksheetPassword = "19970314,kqd.,xtr,.pzfw.,hnqe,ty.wqzqzqzq";
// The workbook's structure, protected and unprotected by the workbook protection wizard only.
inline constexpr const char* kWorkbookPassword = "19860722,p.,p.,..<>?<>?<.?<?.;413627";

}  // namespace workbench
