#pragma once
// An open workbook: its name, sheets, structure protection, saving and closing.

#include <optional>

#include "platform/automation/member_table.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class Workbook : public automation::TableDispatch<Workbook> {
 public:
  explicit Workbook(BookHandle book) : book_(std::move(book)) {}
  static const automation::MemberTable<Workbook>& Members();
  std::string TypeName() const override { return "Workbook"; }

 private:
  void Protect(const automation::Args& a);
  void Unprotect(const automation::Args& a);
  void SaveAs(const std::string& path, std::optional<int> fileFormat);
  void Save();
  void Close(const automation::Args& a);

  BookHandle book_;
};

}  // namespace excel
