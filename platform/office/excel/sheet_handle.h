#pragma once
// What an automation object keeps of the things it stands for: weak references and ids, so that
// an object outliving its workbook or application fails its calls instead of dangling.

#include <memory>

#include "platform/office/excel/excel_error.h"
#include "platform/office/excel/workbook_model.h"

namespace excel {

class ExcelApplication;

struct BookHandle {
  std::weak_ptr<ExcelApplication> app;
  std::weak_ptr<BookModel> book;

  struct Locked {
    std::shared_ptr<ExcelApplication> app;
    std::shared_ptr<BookModel> book;
  };
  Locked Lock() const {
    Locked l{app.lock(), book.lock()};
    if (!l.app || !l.book) Disconnected();
    return l;
  }
};

struct SheetHandle {
  BookHandle book;
  SheetId sheet = kOwnSheet;

  struct Locked {
    std::shared_ptr<ExcelApplication> app;
    std::shared_ptr<BookModel> book;
    SheetModel* sheet = nullptr;
  };
  Locked Lock() const {
    auto [a, b] = book.Lock();
    SheetModel* s = b->Sheet(sheet);
    if (!s) Disconnected();
    return {std::move(a), std::move(b), s};
  }
};

}  // namespace excel
