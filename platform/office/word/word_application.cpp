#include "platform/office/word/word_application.h"

#include <algorithm>
#include <filesystem>

#include "platform/office/word/document_file.h"
#include "platform/office/word/objects.h"
#include "platform/office/word/story.h"
#include "platform/office/word/word_errors.h"

namespace office::word {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

// The file name after the last separator, either kind.
std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

class DocumentsObject : public automation::TableDispatch<DocumentsObject> {
 public:
  explicit DocumentsObject(std::weak_ptr<WordApplication> app) : app_(std::move(app)) {}

  static const MemberTable<DocumentsObject>& Members() {
    static const auto table =
        MemberTable<DocumentsObject>()
            .Property("Count", [](DocumentsObject& d, const Args&) {
              return Variant(static_cast<std::int32_t>(d.app()->documents().size()));
            })
            .Property("Item", [](DocumentsObject& d, const Args& a) { return d.document(d.item(a[0])); }, {}, {"Index"})
            .Method("Add", {"Template"},
                    [](DocumentsObject& d, const Args& a) {
                      return d.document(d.app()->add(a.has(0) ? std::optional(a[0].toText()) : std::nullopt));
                    })
            .Method("Open", {"FileName"}, [](DocumentsObject& d, const Args& a) { return d.document(d.app()->open(a[0].toText())); })
            .Default("Item");
    return table;
  }
  std::string TypeName() const override { return "Documents"; }

 private:
  std::shared_ptr<WordApplication> app() const {
    auto app = app_.lock();
    if (!app) errors::Raise(errors::kObjectDeleted, "Object has been deleted.");
    return app;
  }
  Variant document(const std::shared_ptr<DocumentState>& doc) const { return Variant(MakeDocument(app_, doc)); }

  // By position from 1, or by name or full name in any letter case.
  std::shared_ptr<DocumentState> item(const Variant& index) const {
    const auto& docs = app()->documents();
    if (index.isNumeric()) {
      const std::int32_t i = index.toInt32();
      if (i < 1 || static_cast<std::size_t>(i) > docs.size())
        errors::Raise(errors::kNoSuchCollectionMember, "The requested member of the collection does not exist.");
      return docs[static_cast<std::size_t>(i) - 1];
    }
    const std::string name = automation::FoldCase(index.toText());
    for (const auto& doc : docs)
      if (automation::FoldCase(doc->name) == name || automation::FoldCase(doc->fullName) == name) return doc;
    errors::Raise(errors::kBadFileName, "Bad file name: no open document is called " + index.toText() + ".");
  }

  std::weak_ptr<WordApplication> app_;
};

}  // namespace

const MemberTable<WordApplication>& WordApplication::Members() {
  static const auto table =
      MemberTable<WordApplication>()
          .Property("Documents",
                    [](WordApplication& w, const Args&) {
                      return Variant(Object(std::make_shared<DocumentsObject>(w.weak_from_this())));
                    })
          .Property("ActiveDocument", [](WordApplication& w, const Args&) { return Variant(MakeDocument(w.weak_from_this(), w.activeDocument())); })
          .Property("ActiveWindow", [](WordApplication& w, const Args&) { return Variant(MakeWindow(w.activeDocument())); })
          .Property("Selection", [](WordApplication& w, const Args&) { return Variant(MakeSelection(w.activeDocument())); })
          .Property("Visible", [](WordApplication& w, const Args&) { return Variant(w.visible_); },
                    [](WordApplication& w, const Args&, const Variant& v) { w.visible_ = v.toBool(); })
          .Property("Name", [](WordApplication&, const Args&) { return Variant("Microsoft Word"); })
          .Method("Quit", {},
                  [](WordApplication& w, const Args&) {
                    w.documents_.clear();
                    w.visible_ = false;
                    w.quit_ = true;
                    return Variant();
                  })
          .Default("Name");
  return table;
}

std::shared_ptr<DocumentState> WordApplication::activeDocument() const {
  if (auto doc = active_.lock()) return doc;
  errors::Raise(errors::kNoDocumentOpen, "This command is not available because no document is open.");
}

std::shared_ptr<DocumentState> WordApplication::add(const std::optional<std::string>& templatePath) {
  auto doc = std::make_shared<DocumentState>();
  if (templatePath) doc->content = ReadDocumentFile(*templatePath);
  Normalize(doc->content.main);
  doc->content.isTemplate = false;
  doc->name = doc->fullName = "文档" + std::to_string(++untitled_);
  doc->MarkSaved();
  return adopt(std::move(doc));
}

std::shared_ptr<DocumentState> WordApplication::open(const std::string& path) {
  std::error_code ec;
  const std::string fullName = std::filesystem::absolute(path, ec).lexically_normal().string();
  for (const auto& doc : documents_)
    if (doc->fullName == fullName) return adopt(doc);
  auto doc = std::make_shared<DocumentState>();
  doc->content = ReadDocumentFile(path, &doc->format);
  doc->name = BaseName(fullName);
  doc->fullName = fullName;
  doc->hasFile = true;
  doc->MarkSaved();
  return adopt(std::move(doc));
}

std::shared_ptr<DocumentState> WordApplication::adopt(std::shared_ptr<DocumentState> document) {
  if (std::find(documents_.begin(), documents_.end(), document) == documents_.end()) documents_.push_back(document);
  activate(document);
  return document;
}

void WordApplication::save(DocumentState& document, const std::string& path, DocumentFormat format) {
  WriteDocumentFile(document.content, path, format, pdf_);
  if (format == DocumentFormat::Pdf) return;
  document.format = format;
  std::error_code ec;
  document.fullName = std::filesystem::absolute(path, ec).lexically_normal().string();
  document.name = BaseName(document.fullName);
  document.hasFile = true;
  document.MarkSaved();
}

void WordApplication::activate(const std::shared_ptr<DocumentState>& document) { active_ = document; }

void WordApplication::close(const DocumentState& document) {
  const bool wasActive = active_.lock().get() == &document;
  std::erase_if(documents_, [&](const auto& d) { return d.get() == &document; });
  if (wasActive) active_ = documents_.empty() ? nullptr : documents_.back();
}

std::shared_ptr<office::Application> CreateWordApplication() { return std::make_shared<WordApplication>(); }

}  // namespace office::word
