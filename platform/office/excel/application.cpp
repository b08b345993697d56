#include "platform/office/excel/application.h"

#include <algorithm>
#include <filesystem>

#include "platform/office/excel/range.h"
#include "platform/office/excel/workbook.h"
#include "platform/office/excel/workbook_file.h"
#include "platform/office/excel/workbooks.h"
#include "platform/office/excel/worksheet.h"
#include "platform/office/excel/worksheets.h"

namespace excel {
namespace {

using automation::Args;
using automation::Object;
using V = automation::Variant;

constexpr Area kWholeSheet{1, 1, kMaxRows, kMaxColumns};

std::string NormalPath(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

}  // namespace

std::shared_ptr<BookModel> ExcelApplication::AddBook() {
  auto book = std::make_shared<BookModel>();
  book->name = "工作簿" + std::to_string(++addedBooks_);
  book->AddSheet("Sheet1");
  books_.push_back(book);
  active_ = book;
  return book;
}

// A template opens as a new unsaved workbook named after it with a number ("市场法1"); any other
// file opens itself, and opening it again activates it.
std::shared_ptr<BookModel> ExcelApplication::OpenBook(const std::string& path) {
  const std::string full = NormalPath(path);
  for (const auto& b : books_)
    if (!b->path.empty() && NormalPath(b->path) == full) {
      active_ = b;
      return b;
    }
  WorkbookFile file = ReadWorkbookFile(path);
  const std::filesystem::path p(path);
  if (file.isTemplate || IsTemplatePath(path)) {
    const std::string base = p.stem().string();
    file.book->name = base + std::to_string(++booksFromTemplate_[base]);
  } else {
    file.book->name = p.filename().string();
    file.book->path = path;
    const std::string folded = automation::FoldCase(file.book->name);
    for (const auto& b : books_)
      if (automation::FoldCase(b->name) == folded)
        Fail("A document with the name '" + file.book->name + "' is already open. You cannot open two documents with the same name.");
  }
  file.book->openXml = file.kind == FileKind::Xlsx && !file.book->path.empty();
  file.book->SetSaved(true);
  books_.push_back(file.book);
  active_ = file.book;
  return file.book;
}

void ExcelApplication::CloseBook(const std::shared_ptr<BookModel>& book) {
  std::erase(books_, book);
  if (copied && copied->book.lock() == book) copied.reset();
  if (active_.lock() == book || active_.expired()) active_ = books_.empty() ? std::weak_ptr<BookModel>() : books_.back();
}

V ExcelApplication::WorkbookObject(const std::shared_ptr<BookModel>& book) {
  return V(Object(std::make_shared<Workbook>(HandleOf(book))));
}

V ExcelApplication::WorksheetObject(const std::shared_ptr<BookModel>& book, SheetId sheet) {
  return V(Object(std::make_shared<Worksheet>(SheetHandle{HandleOf(book), sheet})));
}

SheetHandle ExcelApplication::ActiveSheetHandle() {
  const auto book = activeBook();
  if (!book) Fail("Application-defined or object-defined error");
  return {HandleOf(book), book->activeSheet};
}

const automation::MemberTable<ExcelApplication>& ExcelApplication::Members() {
  using App = ExcelApplication;
  static const auto sheets = [](App& app, const Args& a) {
    const SheetHandle active = app.ActiveSheetHandle();
    if (a.has(0)) return Worksheets::Item(active.book, a[0]);
    return V(Object(std::make_shared<Worksheets>(active.book)));
  };
  static const auto table =
      automation::MemberTable<App>()
          .Property("Name", [](App&, const Args&) { return V("Microsoft Excel"); })
          .Property("Visible", [](App& app, const Args&) { return V(app.visible_); },
                    [](App& app, const Args&, const V& v) { app.visible_ = v.toBool(); })
          .Property("Workbooks", [](App& app, const Args&) { return V(Object(std::make_shared<Workbooks>(app.weak_from_this()))); })
          .Property("ActiveWorkbook",
                    [](App& app, const Args&) {
                      const auto book = app.activeBook();
                      return book ? app.WorkbookObject(book) : V(Object());
                    })
          .Property("ActiveSheet",
                    [](App& app, const Args&) {
                      const auto book = app.activeBook();
                      return book ? app.WorksheetObject(book, book->activeSheet) : V(Object());
                    })
          .Property("ActiveCell",
                    [](App& app, const Args&) {
                      const auto book = app.activeBook();
                      if (!book) return V(Object());
                      const SheetModel* s = book->Sheet(book->activeSheet);
                      return Range::Make(app.ActiveSheetHandle(), {s->activeRow, s->activeColumn, s->activeRow, s->activeColumn});
                    })
          .Property("Selection",
                    [](App& app, const Args&) {
                      const auto book = app.activeBook();
                      if (!book) return V(Object());
                      return Range::Make(app.ActiveSheetHandle(), book->Sheet(book->activeSheet)->selection);
                    })
          .Property("Worksheets", sheets, {}, {"Index"})
          .Property("Sheets", sheets, {}, {"Index"})
          .Property("Range", [](App& app, const Args& a) { return Range::RangeIn(app.ActiveSheetHandle(), kWholeSheet, a); },
                    {}, {"Cell1", "Cell2"})
          .Property("Cells", [](App& app, const Args& a) { return Range::CellsIn(app.ActiveSheetHandle(), kWholeSheet, a); },
                    {}, {"RowIndex", "ColumnIndex"})
          .Property("Rows", [](App& app, const Args& a) { return Range::RowsIn(app.ActiveSheetHandle(), kWholeSheet, a); },
                    {}, {"Index"})
          .Property("Columns",
                    [](App& app, const Args& a) { return Range::ColumnsIn(app.ActiveSheetHandle(), kWholeSheet, a); }, {},
                    {"Index"})
          // False, or 1 (xlCopy) while a copied range is marked.
          .Property("CutCopyMode", [](App& app, const Args&) { return app.copied ? V(std::int32_t{1}) : V(false); },
                    [](App& app, const Args&, const V& v) {
                      if (!v.toBool()) app.copied.reset();
                    })
          .Method("Quit", {}, [](App& app, const Args&) {
            app.quit_ = true;
            app.copied.reset();
            app.books_.clear();
            app.active_.reset();
            return V();
          });
  return table;
}

std::shared_ptr<office::Application> CreateExcelApplication() { return std::make_shared<ExcelApplication>(); }

}  // namespace excel
