// Document and its built-in document properties.

#include <algorithm>

#include "platform/automation/member_table.h"
#include "platform/office/word/document_file.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_application.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

constexpr std::int32_t kSaveChanges = -1;

// The one built-in property the system reads and writes: the title, which TITLE fields show.
class TitlePropertyObject : public automation::TableDispatch<TitlePropertyObject> {
 public:
  explicit TitlePropertyObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}
  static const MemberTable<TitlePropertyObject>& Members() {
    static const auto table =
        MemberTable<TitlePropertyObject>()
            .Property("Name", [](TitlePropertyObject& p, const Args&) {
              p.doc_.lock();
              return Variant("Title");
            })
            .Property("Value", [](TitlePropertyObject& p, const Args&) { return Variant(p.doc_.lock()->content.title); },
                      [](TitlePropertyObject& p, const Args&, const Variant& v) { p.doc_.lock()->content.title = v.toText(); })
            .Default("Value");
    return table;
  }
  std::string TypeName() const override { return "DocumentProperty"; }

 private:
  DocumentRef doc_;
};

class PropertiesObject : public automation::TableDispatch<PropertiesObject> {
 public:
  explicit PropertiesObject(std::weak_ptr<DocumentState> document) : doc_(std::move(document)) {}
  static const MemberTable<PropertiesObject>& Members() {
    static const auto table = MemberTable<PropertiesObject>()
                                  .Property("Item",
                                            [](PropertiesObject& p, const Args& a) {
                                              p.doc_.lock();
                                              if (automation::FoldCase(a[0].toText()) != "title")
                                                errors::Raise(errors::kBadParameter,
                                                              "This Word has no built-in document property " + a[0].toText() + ".");
                                              return Variant(Object(std::make_shared<TitlePropertyObject>(p.doc_.weak())));
                                            },
                                            {}, {"Index"})
                                  .Default("Item");
    return table;
  }
  std::string TypeName() const override { return "DocumentProperties"; }

 private:
  DocumentRef doc_;
};

class DocumentObject : public automation::TableDispatch<DocumentObject> {
 public:
  DocumentObject(std::weak_ptr<WordApplication> app, std::weak_ptr<DocumentState> document)
      : app_(std::move(app)), doc_(std::move(document)) {}

  static const MemberTable<DocumentObject>& Members() {
    static const auto table =
        MemberTable<DocumentObject>()
            .Property("Name", [](DocumentObject& d, const Args&) { return Variant(d.doc_.lock()->name); })
            .Property("FullName", [](DocumentObject& d, const Args&) { return Variant(d.doc_.lock()->fullName); })
            .Property("Content", [](DocumentObject& d, const Args&) { return d.range(0, kWholeStory); })
            .Method("Range", {"Start", "End"},
                    [](DocumentObject& d, const Args& a) {
                      return d.range(static_cast<std::size_t>(std::max(0, a.value(0, std::int32_t{0}).toInt32())),
                                     a.has(1) ? static_cast<std::size_t>(std::max(0, a[1].toInt32())) : kWholeStory);
                    })
            .Property("Tables", [](DocumentObject& d, const Args&) {
              d.doc_.lock();
              return Variant(MakeTables(d.doc_.weak()));
            })
            .Property("Fields", [](DocumentObject& d, const Args&) {
              d.doc_.lock();
              return Variant(MakeFields(d.doc_.weak(), {0, kWholeStory}));
            })
            .Property("ActiveWindow", [](DocumentObject& d, const Args&) {
              d.doc_.lock();
              return Variant(MakeWindow(d.doc_.weak()));
            })
            .Property("BuiltInDocumentProperties", [](DocumentObject& d, const Args&) {
              d.doc_.lock();
              return Variant(Object(std::make_shared<PropertiesObject>(d.doc_.weak())));
            })
            .Method("Activate", {},
                    [](DocumentObject& d, const Args&) {
                      d.app()->activate(d.doc_.lock());
                      return Variant();
                    })
            .Property("Saved", [](DocumentObject& d, const Args&) { return Variant(d.doc_.lock()->saved()); },
                      [](DocumentObject& d, const Args&, const Variant& v) {
                        const auto doc = d.doc_.lock();
                        v.toBool() ? doc->MarkSaved() : doc->MarkChanged();
                      })
            .Method("SaveAs", {"FileName", "FileFormat"}, SaveAs)
            .Method("SaveAs2", {"FileName", "FileFormat"}, SaveAs)
            // Automation is never asked: SaveChanges says what becomes of the changes (Word's
            // wdSaveChanges is -1; not given or anything else leaves them unsaved).
            .Method("Close", {"SaveChanges"},
                    [](DocumentObject& d, const Args& a) {
                      const auto doc = d.doc_.lock();
                      if (a.has(0) && a[0].toInt32() == kSaveChanges && !doc->saved()) {
                        if (!doc->hasFile)
                          errors::Raise(errors::kCommandFailed, "The document " + doc->name + " has never been saved: save it with SaveAs first.");
                        d.app()->save(*doc, doc->fullName, doc->format);
                      }
                      d.app()->close(*doc);
                      return Variant();
                    })
            .Default("Name");
    return table;
  }
  std::string TypeName() const override { return "Document"; }

 private:
  // Word's WdSaveFormat: without it the name's extension says.
  static Variant SaveAs(DocumentObject& d, const Args& a) {
    const std::string path = a[0].toText();
    DocumentFormat format = FormatOfName(path);
    if (a.has(1)) {
      switch (a[1].toInt32()) {
        case 0:  // wdFormatDocument
        case 1:  // wdFormatTemplate
          format = DocumentFormat::Own;
          break;
        case 12:  // wdFormatXMLDocument
        case 14:  // wdFormatXMLTemplate
        case 16:  // wdFormatDocumentDefault
          format = DocumentFormat::OfficeOpenXml;
          break;
        case 17:  // wdFormatPDF
          format = DocumentFormat::Pdf;
          break;
        default:
          errors::Raise(errors::kBadParameter, "This Word cannot save in the file format " + a[1].toText() + ".");
      }
    }
    d.app()->save(*d.doc_.lock(), path, format);
    return Variant();
  }

  std::shared_ptr<WordApplication> app() const {
    auto app = app_.lock();
    if (!app) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
    return app;
  }
  Variant range(std::size_t start, std::size_t end) const {
    const auto doc = doc_.lock();
    const std::size_t length = StoryLength(doc->content.main);
    end = std::min(end, length);
    return Variant(MakeRange(doc_.weak(), SpanTarget{{std::min(start, end), end}}));
  }

  std::weak_ptr<WordApplication> app_;
  DocumentRef doc_;
};

}  // namespace

Object MakeDocument(std::weak_ptr<WordApplication> app, std::weak_ptr<DocumentState> document) {
  return Object(std::make_shared<DocumentObject>(std::move(app), std::move(document)));
}

}  // namespace office::word
