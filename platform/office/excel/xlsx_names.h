#pragma once
// The namespaces and content types of a spreadsheet package.

namespace excel {

inline constexpr const char* kSpreadsheetNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelationshipsNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* kPackageRelationshipsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* kWorkbookContentType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr const char* kTemplateContentType = "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";

}  // namespace excel
