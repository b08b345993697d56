// Fields (of the document, a range or the selection) and Field.

#include "platform/automation/member_table.h"
#include "platform/office/word/field_update.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

class FieldObject : public automation::TableDispatch<FieldObject> {
 public:
  FieldObject(std::weak_ptr<DocumentState> document, NodeId id) : doc_(std::move(document)), id_(id) {}

  static const MemberTable<FieldObject>& Members() {
    static const auto table =
        MemberTable<FieldObject>()
            .Property("Code", [](FieldObject& f, const Args&) { return Variant(f.part(true)); })
            .Property("Result", [](FieldObject& f, const Args&) { return Variant(f.part(false)); })
            .Property("Type", [](FieldObject& f, const Args&) { return Variant(FieldType(f.field())); });
    return table;
  }
  std::string TypeName() const override { return "Field"; }

 private:
  Field& field() const {
    Field* f = FieldById(doc_.lock()->content.main, id_);
    if (!f) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
    return *f;
  }
  Object part(bool code) const {
    field();
    return MakeRange(doc_.weak(), FieldPartTarget{id_, code});
  }

  DocumentRef doc_;
  NodeId id_;
};

class FieldsObject : public automation::TableDispatch<FieldsObject> {
 public:
  FieldsObject(std::weak_ptr<DocumentState> document, Span scope) : doc_(std::move(document)), scope_(scope) {}

  static const MemberTable<FieldsObject>& Members() {
    static const auto table =
        MemberTable<FieldsObject>()
            .Property("Count", [](FieldsObject& f, const Args&) { return Variant(static_cast<std::int32_t>(f.fields().size())); })
            .Property("Item", [](FieldsObject& f, const Args& a) { return Variant(f.item(a[0].toInt32())); }, {}, {"Index"})
            .Method("Update", {},
                    [](FieldsObject& f, const Args&) {
                      UpdateFields(f.doc_.lock()->content, f.scope_);
                      return Variant(std::int32_t{0});  // Word's "no field failed"
                    })
            // PreserveFormatting has nothing to keep: the documents carry no formatting.
            .Method("Add", {"Range", "Type", "Text", "PreserveFormatting"},
                    [](FieldsObject& f, const Args& a) {
                      return Variant(f.add(a[0], a.value(1, std::int32_t{kFieldEmpty}).toInt32(), a.value(2, "").toText()));
                    })
            .Default("Item");
    return table;
  }
  std::string TypeName() const override { return "Fields"; }

 private:
  std::vector<Field*> fields() const { return FieldsIn(doc_.lock()->content.main, scope_); }

  Object item(std::int32_t index) const {
    const auto all = fields();
    if (index < 1 || static_cast<std::size_t>(index) > all.size())
      errors::Raise(errors::kNoSuchCollectionMember, "The requested member of the collection does not exist.");
    return MakeField(doc_.weak(), all[static_cast<std::size_t>(index) - 1]->id);
  }

  // A field with no type of its own takes the whole text as its code, takes the place of the range
  // (or stands at its insertion point) and is updated at once.
  Object add(const Variant& range, std::int32_t type, const std::string& code) {
    const auto doc = doc_.lock();
    if (type != kFieldEmpty)
      errors::Raise(errors::kBadParameter, "Only fields with no type of their own (-1) can be added here.");
    const Span span = SpanOfRange(range, *doc);
    Field field{doc->content.NewId(), code, ""};
    UpdateField(doc->content, field);
    const NodeId id = field.id;
    const bool atSelection = span.start == doc->selection.start && span.end == doc->selection.end;
    const Span added = ReplaceSpan(doc->content.main, span, {std::move(field)});
    if (atSelection) doc->selection = {added.end, added.end};
    doc->ClampSelection();
    return MakeField(doc_.weak(), id);
  }

  DocumentRef doc_;
  Span scope_;
};

}  // namespace

Object MakeFields(std::weak_ptr<DocumentState> document, Span scope) {
  return Object(std::make_shared<FieldsObject>(std::move(document), scope));
}

Object MakeField(std::weak_ptr<DocumentState> document, NodeId id) {
  return Object(std::make_shared<FieldObject>(std::move(document), id));
}

}  // namespace office::word
