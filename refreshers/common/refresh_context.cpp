#include "refreshers/common/refresh_context.h"

#include <utility>

namespace refreshers {

using automation::Named;
using automation::Object;
using automation::Path;
using automation::Variant;

namespace {
constexpr std::int32_t kParagraphUnit = 4;
}  // namespace

const Object& RefreshContext::Sheet(std::string_view name) const {
  auto it = sheets_.find(name);
  if (it == sheets_.end())
    it = sheets_.emplace(name, Path(office.excel).to("Workbooks", names.workbook).get("Sheets", name).toObject()).first;
  return it->second;
}

Variant RefreshContext::CellValue(std::string_view sheet, std::int32_t row, std::int32_t column) const {
  return Path(Sheet(sheet)).to("Cells", row, column).get("Value");
}

Object RefreshContext::Document() const { return office.word.obj("Documents", names.document); }

const Object& RefreshContext::Selection() const {
  if (!selection_) selection_ = Path(office.word).to("Documents", names.document).to("ActiveWindow").get("Selection").toObject();
  return selection_;
}

RefreshContext CaptureContext(const AttachOffice& attach) {
  Office office = attach();
  ReportNames names{Path(office.excel).to("ActiveWorkbook").get("Name").toText(),
                    Path(office.word).to("ActiveDocument").get("Name").toText()};
  return RefreshContext(std::move(office), std::move(names));
}

RefreshContext ResumeContext(const AttachOffice& attach, ReportNames names) {
  return RefreshContext(attach(), std::move(names));
}

void RefreshPrelude(RefreshContext& context) {
  const Object selection = context.Selection();
  selection.call("WholeStory");
  Path(selection).to("Fields").call("Update");
  selection.call("MoveUp", Named("Unit", kParagraphUnit), Named("Count", 1));
  TakeFind(context);
}

void TakeFind(RefreshContext& context) {
  Object find = context.Selection().obj("Find");
  find.call("ClearFormatting");
  Path(find).to("Replacement").call("ClearFormatting");
  for (const char* option : {"MatchCase", "MatchWholeWord", "MatchWildcards", "MatchSoundsLike", "MatchAllWordForms"})
    find.put(option, false);
  context.find = std::move(find);
}

}  // namespace refreshers
