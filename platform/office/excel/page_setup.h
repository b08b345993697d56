#pragma once
// A sheet's page setup: its print area.

#include "platform/automation/member_table.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class PageSetup : public automation::TableDispatch<PageSetup> {
 public:
  explicit PageSetup(SheetHandle sheet) : sheet_(std::move(sheet)) {}
  static const automation::MemberTable<PageSetup>& Members();
  std::string TypeName() const override { return "PageSetup"; }

 private:
  SheetHandle sheet_;
};

}  // namespace excel
