#include "workbench/calctables/sheet_access.h"

#include "workbench/calctables/calc_tables_module.h"
#include "workbench/common/workbook_layout.h"

namespace 增加计算表 {

using automation::Object;

Object Sheet(const std::string& name) { return excel.obj("Worksheets", name); }

std::string Address(char column, std::int32_t row) { return std::string(1, column) + std::to_string(row); }

Object CellOf(const Object& sheet, char column, std::int32_t row) { return sheet.obj("Range", Address(column, row)); }

bool ActiveSheetIs(const std::string& name) {
  try {
    return excel.obj("ActiveSheet").get("Name").toText() == name;
  } catch (const automation::Error&) {
    return false;
  }
}

bool ChoiceIs(const automation::Variant& value, int choice) { return value.isNumeric() && value.toDouble() == choice; }

automation::Variant ParameterValue(const std::string& cell) {
  return Sheet(workbench::k参数).obj("Range", cell).get("Value");
}

std::int32_t LastDataRow(char ownerColumn) {
  const std::int32_t lastRow = excel.obj("Rows").get("Count").toInt32();
  return CellOf(Sheet(workbench::k估价结果汇总表), ownerColumn, lastRow)
      .obj("End", workbench::kXlUp)
      .get("Row")
      .toInt32();
}

}  // namespace 增加计算表
