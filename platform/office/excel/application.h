#pragma once
// The stand-in Excel application: its workbooks, the active one, and the copied range.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/member_table.h"
#include "platform/office/application.h"
#include "platform/office/excel/sheet_handle.h"

namespace excel {

class ExcelApplication : public automation::TableDispatch<ExcelApplication, office::Application>,
                         public std::enable_shared_from_this<ExcelApplication> {
 public:
  static const automation::MemberTable<ExcelApplication>& Members();
  std::string TypeName() const override { return "Application"; }
  bool visible() const override { return visible_; }
  bool hasQuit() const override { return quit_; }

  // The range marked by Copy, until cut-copy mode is switched off.
  struct CopiedRange {
    std::weak_ptr<BookModel> book;
    SheetId sheet = kOwnSheet;
    Area area;
  };
  std::optional<CopiedRange> copied;

  const std::vector<std::shared_ptr<BookModel>>& books() const { return books_; }
  std::shared_ptr<BookModel> activeBook() const { return active_.lock(); }
  void Activate(const std::shared_ptr<BookModel>& book) { active_ = book; }
  std::shared_ptr<BookModel> AddBook();
  std::shared_ptr<BookModel> OpenBook(const std::string& path);
  void CloseBook(const std::shared_ptr<BookModel>& book);

  BookHandle HandleOf(const std::shared_ptr<BookModel>& book) { return {weak_from_this(), book}; }
  automation::Variant WorkbookObject(const std::shared_ptr<BookModel>& book);
  automation::Variant WorksheetObject(const std::shared_ptr<BookModel>& book, SheetId sheet);
  // The active sheet of the active workbook; error 1004 when there is none.
  SheetHandle ActiveSheetHandle();

 private:
  std::vector<std::shared_ptr<BookModel>> books_;
  std::weak_ptr<BookModel> active_;
  int addedBooks_ = 0;
  std::map<std::string, int> booksFromTemplate_;  // by the template's base name
  bool visible_ = false;
  bool quit_ = false;
};

// A new, invisible Excel with no workbook open.
std::shared_ptr<office::Application> CreateExcelApplication();

}  // namespace excel
