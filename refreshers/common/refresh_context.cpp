#include "refreshers/common/refresh_context.h"

#include <utility>

namespace refreshers {

using automation::Named;
using automation::Object;
using automation::Variant;

namespace {
constexpr std::int32_t kParagraphUnit = 4;
}  // namespace

Variant RefreshContext::CellValue(std::string_view sheet, std::int32_t row, std::int32_t column) const {
  return office.excel.obj("Workbooks", names.workbook)
      .obj("Sheets", sheet)
      .obj("Cells", row, column)
      .get("Value");
}

Object RefreshContext::Document() const { return office.word.obj("Documents", names.document); }

Object RefreshContext::Selection() const { return Document().obj("ActiveWindow").obj("Selection"); }

RefreshContext CaptureContext(const AttachOffice& attach) {
  Office office = attach();
  ReportNames names{office.excel.obj("ActiveWorkbook").get("Name").toText(),
                    office.word.obj("ActiveDocument").get("Name").toText()};
  return RefreshContext{std::move(office), std::move(names), {}, {}};
}

RefreshContext ResumeContext(const AttachOffice& attach, ReportNames names) {
  return RefreshContext{attach(), std::move(names), {}, {}};
}

void RefreshPrelude(RefreshContext& context) {
  const Object selection = context.Selection();
  selection.call("WholeStory");
  selection.obj("Fields").call("Update");
  selection.call("MoveUp", Named("Unit", kParagraphUnit), Named("Count", 1));
  TakeFind(context);
}

void TakeFind(RefreshContext& context) {
  Object find = context.Selection().obj("Find");
  Object replacement = find.obj("Replacement");
  find.call("ClearFormatting");
  replacement.call("ClearFormatting");
  for (const char* option : {"MatchCase", "MatchWholeWord", "MatchWildcards", "MatchSoundsLike", "MatchAllWordForms"})
    find.put(option, false);
  context.find = std::move(find);
  context.replacement = std::move(replacement);
}

}  // namespace refreshers
