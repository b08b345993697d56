#pragma once
// How the workbench protects a project sheet when the user asks for it (the protection wizard,
// the column width dialog): with the worksheet password, drawing objects, contents and scenarios
// protected, and cell formatting still allowed.

#include "platform/automation/variant.h"

namespace 主类 {

void ProtectWorksheet(const automation::Object& sheet);
void UnprotectWorksheet(const automation::Object& sheet);

}  // namespace 主类
