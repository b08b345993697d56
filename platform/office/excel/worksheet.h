#pragma once
// One sheet of a workbook: its name, visibility, protection and cells.

#include "platform/automation/member_table.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class Worksheet : public automation::TableDispatch<Worksheet> {
 public:
  explicit Worksheet(SheetHandle sheet) : sheet_(std::move(sheet)) {}
  static const automation::MemberTable<Worksheet>& Members();
  std::string TypeName() const override { return "Worksheet"; }

 private:
  void Rename(const std::string& name);
  void Activate();
  void Protect(const automation::Args& a);
  void Unprotect(const automation::Args& a);
  void SetVisible(const automation::Variant& v);

  SheetHandle sheet_;
};

}  // namespace excel
