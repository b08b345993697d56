#pragma once
// The few ways the module reaches sheets and cells of the active workbook.

#include <cstdint>
#include <string>

#include "platform/automation/variant.h"

namespace 增加计算表 {

automation::Object Sheet(const std::string& name);
automation::Object CellOf(const automation::Object& sheet, char column, std::int32_t row);
std::string Address(char column, std::int32_t row);

// True only when the active sheet can be read and bears the name: a procedure that works on the
// active sheet must not write into another one.
bool ActiveSheetIs(const std::string& name);

// The method choice cells are compared as stored, as numbers: a text or an empty cell is no choice.
bool ChoiceIs(const automation::Variant& value, int choice);
automation::Variant ParameterValue(const std::string& cell);

// Row of the last non-empty cell of the summary sheet's owner column, found upwards from the
// sheet's last row.
std::int32_t LastDataRow(char ownerColumn);

// Runs the steps of a procedure that has unprotected the sheet; when one fails in a procedure
// whose failures end the command, the sheet is protected again before the failure goes on.
template <class Body>
void ProtectAgainOnFailure(const automation::Object& sheet, const std::string& password, Body&& body) {
  try {
    body();
  } catch (const automation::Error&) {
    try {
      sheet.call("Protect", password);
    } catch (const automation::Error&) {
    }
    throw;
  }
}

}  // namespace 增加计算表
