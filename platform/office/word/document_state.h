#pragma once
// An open document with its one window: the window's selection and the selection's find object,
// whose settings last as long as the document is open.

#include <memory>
#include <string>

#include "platform/office/word/document.h"
#include "platform/office/word/find_replace.h"

namespace office::word {

struct DocumentState {
  std::string name;
  std::string fullName;  // the file's path; the name while never saved
  DocumentContent content;
  Span selection;
  FindOptions find;

  void ClampSelection();
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
