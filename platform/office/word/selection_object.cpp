// Selection: the window's selection of the main story, as character positions.

#include <algorithm>

#include "platform/automation/member_table.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/selection.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

Variant Position(std::size_t p) { return Variant(static_cast<std::int32_t>(p)); }

std::size_t PositionArgument(const Variant& v) { return static_cast<std::size_t>(std::max(0, v.toInt32())); }

class SelectionObject : public automation::TableDispatch<SelectionObject> {
 public:
  explicit SelectionObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}

  static const MemberTable<SelectionObject>& Members() {
    static const auto table =
        MemberTable<SelectionObject>()
            .Method("WholeStory", {},
                    [](SelectionObject& s, const Args&) {
                      const auto doc = s.doc_.lock();
                      doc->selection = {0, StoryLength(doc->content.main)};
                      return Variant();
                    })
            .Property("Fields", [](SelectionObject& s, const Args&) { return Variant(MakeFields(s.doc_.weak(), s.doc_.lock()->selection)); })
            .Property("Find", [](SelectionObject& s, const Args&) { return Variant(MakeFind(s.doc_.weak())); })
            .Property("Range", [](SelectionObject& s, const Args&) {
              return Variant(MakeRange(s.doc_.weak(), SpanTarget{s.doc_.lock()->selection}));
            })
            .Property("Start", [](SelectionObject& s, const Args&) { return Position(s.doc_.lock()->selection.start); },
                      [](SelectionObject& s, const Args&, const Variant& v) {
                        const auto doc = s.doc_.lock();
                        s.setRange(*doc, PositionArgument(v), std::max(PositionArgument(v), doc->selection.end));
                      })
            .Property("End", [](SelectionObject& s, const Args&) { return Position(s.doc_.lock()->selection.end); },
                      [](SelectionObject& s, const Args&, const Variant& v) {
                        const auto doc = s.doc_.lock();
                        s.setRange(*doc, std::min(PositionArgument(v), doc->selection.start), PositionArgument(v));
                      })
            .Method("SetRange", {"Start", "End"},
                    [](SelectionObject& s, const Args& a) {
                      const std::size_t start = PositionArgument(a[0]), end = PositionArgument(a[1]);
                      s.setRange(*s.doc_.lock(), start, std::max(start, end));
                      return Variant();
                    })
            .Property("Text", [](SelectionObject& s, const Args&) {
                        const auto doc = s.doc_.lock();
                        return Variant(SpanText(doc->content.main, doc->selection));
                      },
                      [](SelectionObject& s, const Args&, const Variant& v) { s.replace(v.toText(), false); })
            .Method("TypeText", {"Text"},
                    [](SelectionObject& s, const Args& a) {
                      s.replace(a[0].toText(), true);
                      return Variant();
                    })
            .Method("MoveUp", {"Unit", "Count"},
                    [](SelectionObject& s, const Args& a) {
                      const std::int32_t unit = a.value(0, std::int32_t{5}).toInt32();
                      if (unit != kUnitParagraph)
                        errors::Raise(errors::kBadParameter, "Bad parameter: this Word moves up by paragraph (unit 4) only.");
                      const auto doc = s.doc_.lock();
                      const Move move = MoveUpParagraphs(doc->content.main, doc->selection, a.value(1, std::int32_t{1}).toInt32());
                      doc->selection = move.selection;
                      return Variant(move.moved);
                    })
            .Method("GoTo", {"What", "Which", "Count", "Name"},
                    [](SelectionObject& s, const Args& a) {
                      // Word reads Name only for bookmarks, comments, fields and objects, not for tables.
                      if (a[0].toInt32() != kGoToTable)
                        errors::Raise(errors::kBadParameter, "Bad parameter: this Word goes to tables (What = 2) only.");
                      const auto doc = s.doc_.lock();
                      doc->selection = GoToTable(doc->content.main, doc->selection, a.value(1, std::int32_t{2}).toInt32(),
                                                 a.value(2, std::int32_t{1}).toInt32());
                      return Variant(MakeRange(s.doc_.weak(), SpanTarget{doc->selection}));
                    })
            .Method("InsertRowsBelow", {"NumRows"}, [](SelectionObject& s, const Args& a) {
              const auto doc = s.doc_.lock();
              doc->selection = InsertRowsBelow(doc->content, doc->selection, a.value(0, std::int32_t{1}).toInt32());
              return Variant();
            });
    return table;
  }
  std::string TypeName() const override { return "Selection"; }

 private:
  void setRange(DocumentState& doc, std::size_t start, std::size_t end) {
    doc.selection = {start, end};
    doc.ClampSelection();
  }

  // Text put over the selection: the selection then covers it, or follows it when typed.
  void replace(const std::string& text, bool typed) {
    const auto doc = doc_.lock();
    const Span put = ReplaceSpan(doc->content.main, doc->selection, {Run{text}});
    doc->selection = typed ? Span{put.end, put.end} : put;
    doc->ClampSelection();
  }

  DocumentRef doc_;
};

class WindowObject : public automation::TableDispatch<WindowObject> {
 public:
  explicit WindowObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}
  static const MemberTable<WindowObject>& Members() {
    static const auto table = MemberTable<WindowObject>().Property("Selection", [](WindowObject& w, const Args&) {
      w.doc_.lock();
      return Variant(MakeSelection(w.doc_.weak()));
    });
    return table;
  }
  std::string TypeName() const override { return "Window"; }

 private:
  DocumentRef doc_;
};

}  // namespace

Object MakeSelection(std::weak_ptr<DocumentState> document) {
  return Object(std::make_shared<SelectionObject>(std::move(document)));
}

Object MakeWindow(std::weak_ptr<DocumentState> document) {
  return Object(std::make_shared<WindowObject>(std::move(document)));
}

}  // namespace office::word
