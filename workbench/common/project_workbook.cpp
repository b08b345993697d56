#include "workbench/common/project_workbook.h"

namespace workbench {

bool IsProjectWorkbook(const automation::Object& excel) {
  const automation::Variant value = excel.obj("Worksheets", "参数").obj("Range", "a1").get("Value");
  return value.isText() && value.toText() == kMarkerText;
}

}  // namespace workbench
