#include "platform/office/excel/page_setup.h"

namespace excel {

// The print area reads back as Excel gives it, absolute ("$A$2:$O$37"); an empty text removes it.
const automation::MemberTable<PageSetup>& PageSetup::Members() {
  using automation::Args;
  using V = automation::Variant;
  static const auto table = automation::MemberTable<PageSetup>().Property(
      "PrintArea",
      [](PageSetup& p, const Args&) {
        const SheetModel* sheet = p.sheet_.Lock().sheet;
        return V(sheet->printArea ? AddressText(AreaOf(*sheet->printArea)) : std::string());
      },
      [](PageSetup& p, const Args&, const V& v) {
        auto [app, book, sheet] = p.sheet_.Lock();
        book->Changed();
        const std::string text = v.toText();
        if (text.empty()) {
          sheet->printArea.reset();
          return;
        }
        const auto area = ParseAreaText(text);
        if (!area) Fail("Unable to set the PrintArea property of the PageSetup class");
        sheet->printArea = AbsoluteReference(sheet->id, *area);
      });
  return table;
}

}  // namespace excel
