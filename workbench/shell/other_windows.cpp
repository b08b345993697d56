#include "workbench/shell/other_windows.h"

namespace workbench {

void Show案例查询() {}
void Show定义模板() {}
void ShowForm3() {}
void ShowForm2() {}
void Show实用工具1() {}
void ShowfrmAbout() {}

}  // namespace workbench
