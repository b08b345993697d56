#pragma once
// A workbook's sheets, by name (letter case ignored) or by position from 1.

#include "platform/automation/member_table.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class Worksheets : public automation::TableDispatch<Worksheets> {
 public:
  explicit Worksheets(BookHandle book) : book_(std::move(book)) {}
  static const automation::MemberTable<Worksheets>& Members();
  std::string TypeName() const override { return "Sheets"; }

  // The sheet named or numbered by index; error 9 when there is none.
  static automation::Variant Item(const BookHandle& book, const automation::Variant& index);

 private:
  BookHandle book_;
};

}  // namespace excel
