#pragma once
// officectl, the user's hands on the stand-in Office:
//
//   officectl run APP      start APP (Excel, Word, Access) as the user would: visible, Excel with
//                          one empty workbook, Word with one empty document
//   officectl quit APP     quit the running APP
//   officectl status       the running applications, one a line
//   officectl eval EXPR    evaluate one member chain on the running application and print the result
//
// Exit status 0; 1 after an automation error, printed as "error NUMBER: DESCRIPTION"; 2 for a usage error.

#include <ostream>
#include <string>
#include <vector>

namespace officectl {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace officectl
