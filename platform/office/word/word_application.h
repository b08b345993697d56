#pragma once
// The stand-in Word application: its documents, each with one window, and which one is active.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/member_table.h"
#include "platform/office/application.h"
#include "platform/office/word/document_state.h"

namespace office::word {

class WordApplication : public automation::TableDispatch<WordApplication, office::Application>,
                        public std::enable_shared_from_this<WordApplication> {
 public:
  static const automation::MemberTable<WordApplication>& Members();
  std::string TypeName() const override { return "Application"; }
  bool visible() const override { return visible_; }
  bool hasQuit() const override { return quit_; }

  const std::vector<std::shared_ptr<DocumentState>>& documents() const { return documents_; }
  // No document open: Word's error 4248.
  std::shared_ptr<DocumentState> activeDocument() const;
  // A new unsaved document, empty or based on a template file ("文档1", "文档2", … as Word names them).
  std::shared_ptr<DocumentState> add(const std::optional<std::string>& templatePath);
  // The file itself; one already open is activated instead.
  std::shared_ptr<DocumentState> open(const std::string& path);
  // Writes the document to the file, which it then is (its name, full name and format), and marks
  // it saved. PDF is an export: the document stays what it was.
  void save(DocumentState& document, const std::string& path, DocumentFormat format);
  // Set by the windows while they are there.
  void setPdfRenderer(PdfRenderer renderer) { pdf_ = std::move(renderer); }
  void activate(const std::shared_ptr<DocumentState>& document);
  void close(const DocumentState& document);

 private:
  std::shared_ptr<DocumentState> adopt(std::shared_ptr<DocumentState> document);

  std::vector<std::shared_ptr<DocumentState>> documents_;
  std::weak_ptr<DocumentState> active_;
  PdfRenderer pdf_;
  int untitled_ = 0;
  bool visible_ = false;
  bool quit_ = false;
};

std::shared_ptr<office::Application> CreateWordApplication();

}  // namespace office::word
