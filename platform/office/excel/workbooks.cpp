#include "platform/office/excel/workbooks.h"

#include "platform/office/excel/application.h"

namespace excel {

std::shared_ptr<ExcelApplication> Workbooks::Lock() const {
  auto app = app_.lock();
  if (!app) Disconnected();
  return app;
}

const automation::MemberTable<Workbooks>& Workbooks::Members() {
  using automation::Args;
  using V = automation::Variant;
  static const auto table =
      automation::MemberTable<Workbooks>()
          .Property("Item",
                    [](Workbooks& w, const Args& a) {
                      const auto app = w.Lock();
                      const auto& books = app->books();
                      if (a[0].isText()) {
                        const std::string wanted = automation::FoldCase(a[0].toText());
                        for (const auto& b : books)
                          if (automation::FoldCase(b->name) == wanted) return app->WorkbookObject(b);
                      } else {
                        const std::int32_t n = a[0].toInt32();
                        if (n >= 1 && static_cast<std::size_t>(n) <= books.size())
                          return app->WorkbookObject(books[static_cast<std::size_t>(n - 1)]);
                      }
                      runtime::Raise(runtime::errors::kSubscriptOutOfRange);
                    },
                    {}, {"Index"})
          .Property("Count", [](Workbooks& w, const Args&) { return V(static_cast<std::int32_t>(w.Lock()->books().size())); })
          .Method("Add", {}, [](Workbooks& w, const Args&) {
            const auto app = w.Lock();
            return app->WorkbookObject(app->AddBook());
          })
          .Method("Open", {"Filename"},
                  [](Workbooks& w, const Args& a) {
                    const auto app = w.Lock();
                    return app->WorkbookObject(app->OpenBook(a[0].toText()));
                  })
          .Default("Item");
  return table;
}

}  // namespace excel
