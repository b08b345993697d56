#pragma once
// The application's open workbooks: Add, Open, by name or position, Count.

#include "platform/automation/member_table.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class Workbooks : public automation::TableDispatch<Workbooks> {
 public:
  explicit Workbooks(std::weak_ptr<ExcelApplication> app) : app_(std::move(app)) {}
  static const automation::MemberTable<Workbooks>& Members();
  std::string TypeName() const override { return "Workbooks"; }

 private:
  std::shared_ptr<ExcelApplication> Lock() const;
  std::weak_ptr<ExcelApplication> app_;
};

}  // namespace excel
