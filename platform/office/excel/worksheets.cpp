#include "platform/office/excel/worksheets.h"

#include "platform/office/excel/application.h"

namespace excel {

automation::Variant Worksheets::Item(const BookHandle& handle, const automation::Variant& index) {
  auto [app, book] = handle.Lock();
  const SheetModel* sheet = nullptr;
  if (index.isText()) {
    sheet = book->SheetNamed(index.toText());
  } else {
    const std::int32_t n = index.toInt32();
    if (n >= 1 && static_cast<std::size_t>(n) <= book->sheets().size()) sheet = book->sheets()[static_cast<std::size_t>(n - 1)].get();
  }
  if (!sheet) runtime::Raise(runtime::errors::kSubscriptOutOfRange);
  return app->WorksheetObject(book, sheet->id);
}

const automation::MemberTable<Worksheets>& Worksheets::Members() {
  using automation::Args;
  using V = automation::Variant;
  static const auto table =
      automation::MemberTable<Worksheets>()
          .Property("Item", [](Worksheets& w, const Args& a) { return Item(w.book_, a[0]); }, {}, {"Index"})
          .Property("Count", [](Worksheets& w, const Args&) {
            return V(static_cast<std::int32_t>(w.book_.Lock().book->sheets().size()));
          })
          .Default("Item");
  return table;
}

}  // namespace excel
