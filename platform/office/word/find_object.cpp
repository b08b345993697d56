// Find and its Replacement: the selection's find object, whose settings live in the document's
// window state so that they persist between calls and between programs.

#include "platform/automation/member_table.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

// The true-or-false settings with their positions among Execute's arguments.
struct Flag {
  const char* name;
  bool FindOptions::*member;
  std::size_t position;
};
constexpr Flag kFlags[] = {{"MatchCase", &FindOptions::matchCase, 1},
                           {"MatchWholeWord", &FindOptions::matchWholeWord, 2},
                           {"MatchWildcards", &FindOptions::matchWildcards, 3},
                           {"MatchSoundsLike", &FindOptions::matchSoundsLike, 4},
                           {"MatchAllWordForms", &FindOptions::matchAllWordForms, 5},
                           {"Forward", &FindOptions::forward, 6},
                           {"Format", &FindOptions::format, 8}};
constexpr std::size_t kFindText = 0, kWrap = 7, kReplaceWith = 9, kReplace = 10;

std::string CheckedText(const Variant& v) {
  std::string text = v.toText();
  CheckFindText(text);
  return text;
}

class ReplacementObject : public automation::TableDispatch<ReplacementObject> {
 public:
  explicit ReplacementObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}
  static const MemberTable<ReplacementObject>& Members() {
    static const auto table =
        MemberTable<ReplacementObject>()
            .Property("Text", [](ReplacementObject& r, const Args&) { return Variant(r.doc_.lock()->find.replacement); },
                      [](ReplacementObject& r, const Args&, const Variant& v) { r.doc_.lock()->find.replacement = CheckedText(v); })
            // The documents carry no formatting, so there is none to clear.
            .Method("ClearFormatting", {}, [](ReplacementObject& r, const Args&) {
              r.doc_.lock();
              return Variant();
            });
    return table;
  }
  std::string TypeName() const override { return "Replacement"; }

 private:
  DocumentRef doc_;
};

class FindObject : public automation::TableDispatch<FindObject> {
 public:
  explicit FindObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}

  static const MemberTable<FindObject>& Members() {
    static const auto table = [] {
      MemberTable<FindObject> t;
      t.Property("Text", [](FindObject& f, const Args&) { return Variant(f.doc_.lock()->find.text); },
                 [](FindObject& f, const Args&, const Variant& v) { f.doc_.lock()->find.text = CheckedText(v); })
          .Property("Replacement",
                    [](FindObject& f, const Args&) { return Variant(Object(std::make_shared<ReplacementObject>(f.doc_.weak()))); })
          .Property("Wrap", [](FindObject& f, const Args&) { return Variant(f.doc_.lock()->find.wrap); },
                    [](FindObject& f, const Args&, const Variant& v) { f.doc_.lock()->find.wrap = CheckedWrap(v); })
          .Method("ClearFormatting", {},
                  [](FindObject& f, const Args&) {
                    f.doc_.lock()->find.format = false;
                    return Variant();
                  })
          .Method("Execute",
                  {"FindText", "MatchCase", "MatchWholeWord", "MatchWildcards", "MatchSoundsLike", "MatchAllWordForms",
                   "Forward", "Wrap", "Format", "ReplaceWith", "Replace"},
                  [](FindObject& f, const Args& a) { return Variant(f.execute(a)); });
      for (const Flag& flag : kFlags)
        t.Property(flag.name, [m = flag.member](FindObject& f, const Args&) { return Variant(f.doc_.lock()->find.*m); },
                   [m = flag.member](FindObject& f, const Args&, const Variant& v) { f.doc_.lock()->find.*m = v.toBool(); });
      return t;
    }();
    return table;
  }
  std::string TypeName() const override { return "Find"; }

 private:
  static std::int32_t CheckedWrap(const Variant& v) {
    const std::int32_t wrap = v.toInt32();
    if (wrap < 0 || wrap > 2) errors::Raise(errors::kBadParameter, "Bad parameter: Wrap is 0, 1 or 2.");
    return wrap;
  }

  // Arguments given to Execute become the find object's settings, as in Word.
  bool execute(const Args& a) {
    const auto doc = doc_.lock();
    FindOptions options = doc->find;
    if (a.has(kFindText)) options.text = CheckedText(a[kFindText]);
    if (a.has(kReplaceWith)) options.replacement = CheckedText(a[kReplaceWith]);
    if (a.has(kWrap)) options.wrap = CheckedWrap(a[kWrap]);
    for (const Flag& flag : kFlags)
      if (a.has(flag.position)) options.*flag.member = a[flag.position].toBool();
    const std::int32_t replace = a.value(kReplace, std::int32_t{0}).toInt32();
    if (replace < 0 || replace > 2) errors::Raise(errors::kBadParameter, "Bad parameter: Replace is 0, 1 or 2.");
    doc->find = options;
    const FindResult result = Execute(doc->content, doc->selection, options, static_cast<ReplaceMode>(replace));
    doc->selection = result.selection;
    return result.found;
  }

  DocumentRef doc_;
};

}  // namespace

Object MakeFind(std::weak_ptr<DocumentState> document) {
  return Object(std::make_shared<FindObject>(std::move(document)));
}

}  // namespace office::word
