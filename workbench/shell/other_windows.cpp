#include "workbench/shell/other_windows.h"

namespace workbench {

void Show案例查询() {}

}  // namespace workbench
