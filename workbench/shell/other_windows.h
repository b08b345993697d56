#pragma once
// The windows of the workbench that the toolbar window opens and that are built with their own
// parts of the system. Each entry shows its window (modeless, one default instance) once that
// window exists; until then it shows nothing.

namespace workbench {

void Show案例查询();    // case query of the market comparison sheet
void Show定义模板();    // placeholder fields for report templates
void ShowForm3();       // column widths
void ShowForm2();       // instant help of the active sheet
void Show实用工具1();   // money in capitals and term calculators
void ShowfrmAbout();    // about box

}  // namespace workbench
