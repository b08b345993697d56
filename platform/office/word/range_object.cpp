// Range: a part of the main story, a table cell's content, or a field's code or result.

#include "platform/automation/member_table.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Variant;

[[noreturn]] void Deleted() { errors::Raise(errors::kObjectDeleted, "Object has been deleted."); }

class RangeObject : public automation::TableDispatch<RangeObject> {
 public:
  RangeObject(std::weak_ptr<DocumentState> document, RangeTarget target) : doc_(std::move(document)), target_(target) {}

  static const MemberTable<RangeObject>& Members() {
    static const auto table =
        MemberTable<RangeObject>()
            .Property("Text", [](RangeObject& r, const Args&) { return Variant(r.text()); },
                      [](RangeObject& r, const Args&, const Variant& v) { r.setText(v.toText()); })
            .Property("Start", [](RangeObject& r, const Args&) { return Variant(ToInt32(r.span().start)); })
            .Property("End", [](RangeObject& r, const Args&) { return Variant(ToInt32(r.span().end)); })
            .Property("Fields", [](RangeObject& r, const Args&) { return Variant(MakeFields(r.doc_.weak(), r.span())); })
            .Default("Text");
    return table;
  }
  std::string TypeName() const override { return "Range"; }

  // The span in the main story; for a cell its content and end-of-cell mark.
  Span span() const {
    const auto doc = doc_.lock();
    Story& story = doc->content.main;
    if (const auto* s = std::get_if<SpanTarget>(&target_)) {
      const std::size_t length = StoryLength(story);
      return {std::min(s->span.start, length), std::min(s->span.end, length)};
    }
    if (const auto* c = std::get_if<CellTarget>(&target_)) return CellSpan(story, c->row, c->cell);
    const auto& part = std::get<FieldPartTarget>(target_);
    std::optional<Span> found;
    WalkPositions(story, [&](const Piece& p, std::size_t pos) {
      if (p.field && p.field->id == part.field && p.kind == (part.code ? PieceKind::FieldCode : PieceKind::FieldResult))
        found = Span{pos, pos + p.length()};
      return !found;
    });
    if (!found) Deleted();
    return *found;
  }
  // The span that replacing the text replaces: a cell keeps its mark.
  Span contentSpan() const {
    Span s = span();
    if (std::holds_alternative<CellTarget>(target_)) --s.end;
    return s;
  }
  const DocumentRef& document() const { return doc_; }

 private:
  static std::int32_t ToInt32(std::size_t v) { return static_cast<std::int32_t>(v); }

  std::string text() const {
    const auto doc = doc_.lock();
    if (const auto* part = std::get_if<FieldPartTarget>(&target_)) {
      const Field* f = FieldById(doc->content.main, part->field);
      if (!f) Deleted();
      return part->code ? f->code : f->result;
    }
    return SpanText(doc->content.main, span());
  }

  void setText(const std::string& text) {
    const auto doc = doc_.lock();
    if (const auto* part = std::get_if<FieldPartTarget>(&target_)) {
      Field* f = FieldById(doc->content.main, part->field);
      if (!f) Deleted();
      (part->code ? f->code : f->result) = text;
    } else {
      const Span replaced = ReplaceSpan(doc->content.main, contentSpan(), {Run{text}});
      if (auto* s = std::get_if<SpanTarget>(&target_)) s->span = replaced;
    }
    doc->ClampSelection();
  }

  DocumentRef doc_;
  RangeTarget target_;
};

}  // namespace

automation::Object MakeRange(std::weak_ptr<DocumentState> document, RangeTarget target) {
  return automation::Object(std::make_shared<RangeObject>(std::move(document), target));
}

Span SpanOfRange(const Variant& range, const DocumentState& document) {
  const auto r = std::dynamic_pointer_cast<RangeObject>(range.toObject().pointer());
  if (!r || r->document().lock().get() != &document)
    errors::Raise(automation::errors::kTypeMismatch, "The argument must be a Range of this document.");
  return r->contentSpan();
}

}  // namespace office::word
