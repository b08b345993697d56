#pragma once
// An open document with its one window: the window's selection and the selection's find object,
// whose settings last as long as the document is open.

#include <memory>
#include <optional>
#include <string>

#include "platform/office/word/document.h"
#include "platform/office/word/document_file.h"
#include "platform/office/word/find_replace.h"

namespace office::word {

struct DocumentState {
  std::string name;
  std::string fullName;  // the file's path; the name while never saved
  bool hasFile = false;  // opened from a file or saved to one
  DocumentFormat format = DocumentFormat::Own;  // the file's, which 保存 keeps
  DocumentContent content;
  Span selection;
  FindOptions find;

  void ClampSelection();
  // Word's Saved: nothing changed since the document was opened, made or last saved, whoever
  // changed it. Told by comparing with the content as it was then, so no edit can forget to say so.
  bool saved() const;
  void MarkSaved() { savedContent_ = content; }
  void MarkChanged() { savedContent_.reset(); }

 private:
  std::optional<DocumentContent> savedContent_;
};

// An automation object's hold on its document. Objects outlive documents (the host keeps handles),
// so each call locks it afresh and fails with "Object has been deleted." once it is closed.
class DocumentRef {
 public:
  explicit DocumentRef(std::weak_ptr<DocumentState> document) : document_(std::move(document)) {}
  std::shared_ptr<DocumentState> lock() const;
  const std::weak_ptr<DocumentState>& weak() const { return document_; }

 private:
  std::weak_ptr<DocumentState> document_;
};

}  // namespace office::word
