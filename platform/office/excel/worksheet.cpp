#include "platform/office/excel/worksheet.h"

#include <algorithm>

#include "platform/office/excel/application.h"
#include "platform/office/excel/page_setup.h"
#include "platform/office/excel/password_hash.h"
#include "platform/office/excel/range.h"

namespace excel {
namespace {

using automation::Args;
using automation::MemberTable;
using V = automation::Variant;

constexpr Area kWholeSheet{1, 1, kMaxRows, kMaxColumns};
constexpr const char* kWrongPassword =
    "The password you supplied is not correct. Verify that the CAPS LOCK key is off and be sure to use the correct "
    "capitalization.";

}  // namespace

void Worksheet::Rename(const std::string& name) {
  auto [app, book, sheet] = sheet_.Lock();
  if (book->protectStructure) Fail("Unable to set the Name property of the Worksheet class");
  const SheetModel* other = book->SheetNamed(name);
  const auto characters = std::count_if(name.begin(), name.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  if (characters == 0 || characters > 31 || name.find_first_of(":\\/?*[]") != std::string::npos || (other && other != sheet))
    Fail("That name is already taken or is not valid. Try a different one.");
  sheet->name = name;
  book->Changed();
}

void Worksheet::Activate() {
  auto [app, book, sheet] = sheet_.Lock();
  if (sheet->visibility != SheetVisibility::Visible) Fail("Select method of Worksheet class failed");
  app->Activate(book);
  book->activeSheet = sheet->id;
}

// Protecting again with the same password is accepted and takes the new options; another
// password is refused, and the protection stays as it was.
void Worksheet::Protect(const Args& a) {
  auto [app, book, sheet] = sheet_.Lock();
  const std::string password = a.value(0, "").toText();
  const SheetProtection& was = sheet->protection;
  if (was.on && !PasswordMatches(password, was.password, was.passwordHash)) Fail("Protect method of Worksheet class failed");
  SheetProtection p;
  p.on = true;
  p.password = password;
  p.drawingObjects = a.value(1, true).toBool();
  p.contents = a.value(2, true).toBool();
  p.scenarios = a.value(3, true).toBool();
  p.allowFormattingCells = a.value(4, false).toBool();
  sheet->protection = p;
  book->Changed();
}

void Worksheet::Unprotect(const Args& a) {
  auto [app, book, sheet] = sheet_.Lock();
  if (!sheet->protection.on) return;
  const SheetProtection& p = sheet->protection;
  if (!PasswordMatches(a.value(0, "").toText(), p.password, p.passwordHash)) Fail(kWrongPassword);
  sheet->protection = {};
  book->Changed();
}

void Worksheet::SetVisible(const V& v) {
  auto [app, book, sheet] = sheet_.Lock();
  const int n = v.kind() == V::Kind::Boolean ? (v.toBool() ? -1 : 0) : v.toInt32();
  if (n != -1 && n != 0 && n != 2 && n != 1) Fail("Unable to set the Visible property of the Worksheet class");
  const SheetVisibility to = n == -1 || n == 1 ? SheetVisibility::Visible : static_cast<SheetVisibility>(n);
  if (to == sheet->visibility) return;
  if (book->protectStructure) Fail("Unable to set the Visible property of the Worksheet class");
  const SheetModel* otherVisible = nullptr;
  for (const auto& s : book->sheets())
    if (s.get() != sheet && s->visibility == SheetVisibility::Visible && !otherVisible) otherVisible = s.get();
  if (to != SheetVisibility::Visible) {
    if (!otherVisible) Fail("Unable to set the Visible property of the Worksheet class");
    if (book->activeSheet == sheet->id) book->activeSheet = otherVisible->id;
  }
  sheet->visibility = to;
  book->Changed();
}

const MemberTable<Worksheet>& Worksheet::Members() {
  static const auto table =
      MemberTable<Worksheet>()
          .Property("Name", [](Worksheet& w, const Args&) { return V(w.sheet_.Lock().sheet->name); },
                    [](Worksheet& w, const Args&, const V& v) { w.Rename(v.toText()); })
          .Property("Visible",
                    [](Worksheet& w, const Args&) { return V(static_cast<std::int32_t>(w.sheet_.Lock().sheet->visibility)); },
                    [](Worksheet& w, const Args&, const V& v) { w.SetVisible(v); })
          .Property("ProtectContents",
                    [](Worksheet& w, const Args&) {
                      const SheetProtection& p = w.sheet_.Lock().sheet->protection;
                      return V(p.on && p.contents);
                    })
          .Property("PageSetup", [](Worksheet& w, const Args&) {
            return V(automation::Object(std::make_shared<PageSetup>(w.sheet_)));
          })
          .Property("Range", [](Worksheet& w, const Args& a) { return Range::RangeIn(w.sheet_, kWholeSheet, a); }, {},
                    {"Cell1", "Cell2"})
          .Property("Cells", [](Worksheet& w, const Args& a) { return Range::CellsIn(w.sheet_, kWholeSheet, a); }, {},
                    {"RowIndex", "ColumnIndex"})
          .Property("Rows", [](Worksheet& w, const Args& a) { return Range::RowsIn(w.sheet_, kWholeSheet, a); }, {},
                    {"Index"})
          .Property("Columns", [](Worksheet& w, const Args& a) { return Range::ColumnsIn(w.sheet_, kWholeSheet, a); }, {},
                    {"Index"})
          .Method("Select", {"Replace"}, [](Worksheet& w, const Args&) { w.Activate(); return V(true); })
          .Method("Activate", {}, [](Worksheet& w, const Args&) { w.Activate(); return V(true); })
          .Method("Protect", {"Password", "DrawingObjects", "Contents", "Scenarios", "AllowFormattingCells"},
                  [](Worksheet& w, const Args& a) { w.Protect(a); return V(true); })
          .Method("Unprotect", {"Password"}, [](Worksheet& w, const Args& a) { w.Unprotect(a); return V(true); });
  return table;
}

}  // namespace excel
