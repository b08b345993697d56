#include "platform/office/excel/workbook.h"

#include <filesystem>

#include "platform/office/excel/application.h"
#include "platform/office/excel/password_hash.h"
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
  if (book->protectStructure && !PasswordMatches(password, book->structurePassword, book->structurePasswordHash)) Fail("Protect method of Workbook class failed");
  book->protectStructure = a.value(1, true).toBool();
  book->structurePassword = book->protectStructure ? password : std::string();
  book->structurePasswordHash.clear();
  book->Changed();
}

void Workbook::Unprotect(const Args& a) {
  auto [app, book] = book_.Lock();
  if (!book->protectStructure) return;
  if (!PasswordMatches(a.value(0, "").toText(), book->structurePassword, book->structurePasswordHash))
    Fail("The password you supplied is not correct. Verify that the CAPS LOCK key is off and be sure to use the correct capitalization.");
  book->protectStructure = false;
  book->structurePassword.clear();
  book->structurePasswordHash.clear();
  book->Changed();
}

void Workbook::SaveAs(const std::string& path, std::optional<int> fileFormat) {
  auto [app, book] = book_.Lock();
  const FileKind kind = KindForSave(path, fileFormat);
  WriteWorkbookFile(*book, path, IsTemplateSave(path, fileFormat), kind);
  book->path = path;
  book->openXml = kind == FileKind::Xlsx;
  book->name = std::filesystem::path(path).filename().string();
  book->SetSaved(true);
}

// Into the file it came from, in the format it has; a workbook never saved has none.
void Workbook::Save() {
  auto [app, book] = book_.Lock();
  if (book->path.empty()) Fail("Save method of Workbook class failed");
  WriteWorkbookFile(*book, book->path, false, book->openXml ? FileKind::Xlsx : FileKind::StandIn);
  book->SetSaved(true);
}

// Close(SaveChanges, Filename): with SaveChanges true a changed workbook is saved first, to
// Filename where given; otherwise its changes are dropped.
void Workbook::Close(const Args& a) {
  auto [app, book] = book_.Lock();
  if (a.has(0) && a[0].toBool() && !book->Saved()) {
    if (a.has(1)) SaveAs(a[1].toText(), std::nullopt);
    else Save();
  }
  app->CloseBook(book);
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
          .Property("Saved", [](Workbook& w, const Args&) { return V(w.book_.Lock().book->Saved()); },
                    [](Workbook& w, const Args&, const V& v) { w.book_.Lock().book->SetSaved(v.toBool()); })
          .Method("SaveAs", {"Filename", "FileFormat"},
                  [](Workbook& w, const Args& a) {
                    w.SaveAs(a[0].toText(), a.has(1) ? std::optional<int>(a[1].toInt32()) : std::nullopt);
                    return V(true);
                  })
          .Method("Save", {}, [](Workbook& w, const Args&) { w.Save(); return V(true); })
          .Method("Close", {"SaveChanges", "Filename"}, [](Workbook& w, const Args& a) { w.Close(a); return V(true); });
  return table;
}

}  // namespace excel
