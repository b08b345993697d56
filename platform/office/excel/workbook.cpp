#include "platform/office/excel/workbook.h"

#include <filesystem>

#include "platform/office/excel/application.h"
#include "platform/office/excel/workbook_file.h"
#include "platform/office/excel/worksheets.h"

namespace excel {
namespace {

using automation::Args;
using V = automation::Variant;

}  // namespace

void Workbook::Protect(const Args& a) {
  auto [app, book] = book_.Lock();
  const std::string password = a.value(0, "").toText();
  if (book->protectStructure && book->structurePassword != password) Fail("Protect method of Workbook class failed");
  book->protectStructure = a.value(1, true).toBool();
  book->structurePassword = book->protectStructure ? password : std::string();
}

void Workbook::Unprotect(const Args& a) {
  auto [app, book] = book_.Lock();
  if (!book->protectStructure) return;
  if (a.value(0, "").toText() != book->structurePassword)
    Fail("The password you supplied is not correct. Verify that the CAPS LOCK key is off and be sure to use the correct capitalization.");
  book->protectStructure = false;
  book->structurePassword.clear();
}

void Workbook::SaveAs(const std::string& path) {
  auto [app, book] = book_.Lock();
  WriteWorkbookFile(*book, path, IsTemplatePath(path));
  book->path = path;
  book->name = std::filesystem::path(path).filename().string();
}

const automation::MemberTable<Workbook>& Workbook::Members() {
  static const auto sheets = [](Workbook& w, const Args& a) {
    if (a.has(0)) return Worksheets::Item(w.book_, a[0]);
    w.book_.Lock();
    return V(automation::Object(std::make_shared<Worksheets>(w.book_)));
  };
  static const auto table =
      automation::MemberTable<Workbook>()
          .Property("Name", [](Workbook& w, const Args&) { return V(w.book_.Lock().book->name); })
          .Property("Worksheets", sheets, {}, {"Index"})
          .Property("Sheets", sheets, {}, {"Index"})
          .Property("ProtectStructure", [](Workbook& w, const Args&) { return V(w.book_.Lock().book->protectStructure); })
          .Method("Protect", {"Password", "Structure"}, [](Workbook& w, const Args& a) { w.Protect(a); return V(true); })
          .Method("Unprotect", {"Password"}, [](Workbook& w, const Args& a) { w.Unprotect(a); return V(true); })
          .Method("Activate", {},
                  [](Workbook& w, const Args&) {
                    auto [app, book] = w.book_.Lock();
                    app->Activate(book);
                    return V(true);
                  })
          .Method("SaveAs", {"Filename"}, [](Workbook& w, const Args& a) { w.SaveAs(a[0].toText()); return V(true); })
          .Method("Close", {},
                  [](Workbook& w, const Args&) {
                    auto [app, book] = w.book_.Lock();
                    app->CloseBook(book);
                    return V(true);
                  });
  return table;
}

}  // namespace excel
