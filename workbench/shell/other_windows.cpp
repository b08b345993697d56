#include "workbench/shell/other_windows.h"

namespace workbench {

void Show定义模板() {}

}  // namespace workbench
