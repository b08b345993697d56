#pragma once
// The value lists of the template definition window: where the display names of a method's
// values stand on the value sheets, and where the key of each listed name stands. A name and its
// key share the row, so both are read through the same entry.

#include <array>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"
#include "platform/ui/combo_box.h"

namespace workbench::templatedef {

struct ValueList {
  const char* sheet;
  char nameColumn;
  int firstRow;
  int lastRow;
  char keyColumn;  // list position i has its key in row firstRow + i
};

// The entries of Combo2, by list position.
struct Method {
  const char* item;
  const char* group;       // 参数!B1 of the workbooks the method belongs to
  const char* wrongGroup;  // the message when the active workbook is of another group
  const ValueList* list;   // none for the income method: its table is chosen in Combo3
};

// The entries of Combo3, by list position.
struct IncomeTable {
  const char* item;
  const ValueList* list;
};

const std::array<Method, 5>& Methods();
const std::array<IncomeTable, 2>& IncomeTables();

// The list whose keys go with the formula list: by the method's list position and, for the
// income method, by the text that Combo3 shows. None when no method is chosen.
const ValueList* KeyList(int methodPosition, std::string_view incomeTableText);

// Adds the names of the active workbook's list to the combo box, from the first row down to the
// first empty cell, or one that cannot be read.
void AddNames(const automation::Object& excel, const ValueList& list, ui::ComboBox& combo);

// The key of list position i, as its cell holds it, from the workbook of that name.
std::string KeyAt(const automation::Object& excel, const std::string& workbook, const ValueList& list, int position);

}  // namespace workbench::templatedef
