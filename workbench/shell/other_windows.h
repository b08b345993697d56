#pragma once
// The windows of the workbench that the toolbar window opens and that are built with their own
// parts of the system. Each entry shows its window (modeless, one default instance) once that
// window exists; until then it shows nothing.

namespace workbench {

void Show案例查询();  // case query of the market comparison sheet

}  // namespace workbench
