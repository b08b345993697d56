#include "platform/office/recovery/kept_files.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/automation/member_table.h"
#include "platform/office/excel/application.h"
#include "platform/office/excel/workbook_file.h"
#include "platform/office/excel/workbook_model.h"
#include "platform/office/file_access.h"
#include "platform/office/word/document_file.h"
#include "platform/office/word/word_application.h"

namespace office::recovery {
namespace {

constexpr const char* kExcel = "Excel.Application";
constexpr const char* kWord = "Word.Application";

[[noreturn]] void NameTaken(const std::string& name) {
  throw std::runtime_error("已有名为“" + name + "”的文件打开，请先将它关闭。");
}

// A file never saved takes its name again, or with "（已恢复）" when a new one has it already (a
// new Excel's 工作簿1); a file of the same name as a saved one's is open: refused.
std::string NameForCopy(const CopyInfo& info, const std::function<bool(const std::string&)>& taken) {
  if (!taken(info.name)) return info.name;
  const std::string renamed = info.name + "（已恢复）";
  if (!info.path.empty() || taken(renamed)) NameTaken(info.name);
  return renamed;
}

class KeptWorkbook : public KeptFile {
 public:
  KeptWorkbook(const std::shared_ptr<excel::ExcelApplication>& app, const std::shared_ptr<excel::BookModel>& book)
      : app_(app), book_(book), model_(book.get()) {}

  const void* Model() const override { return model_; }
  bool Open() const override {
    const auto app = app_.lock();
    const auto book = book_.lock();
    return app && book && !app->hasQuit() && std::find(app->books().begin(), app->books().end(), book) != app->books().end();
  }
  bool Saved() const override {
    const auto book = book_.lock();
    return !book || book->Saved();
  }
  CopyInfo Info() const override {
    const auto book = book_.lock();
    if (!book) return {};
    return {kExcel, book->name, book->path, book->openXml ? "xlsx" : "own"};
  }
  bool Changed() override {
    const auto book = book_.lock();
    if (!book) return false;
    pending_ = excel::WorkbookJson(*book, false);
    return pending_ != copied_;
  }
  void WriteCopy(const std::string& file) override {
    if (pending_.empty()) Changed();
    ReplaceFile(file, pending_);
    copied_ = std::move(pending_);
    pending_.clear();
  }
  void Copied(const excel::BookModel& book) { copied_ = excel::WorkbookJson(book, false); }

 private:
  std::weak_ptr<excel::ExcelApplication> app_;
  std::weak_ptr<excel::BookModel> book_;
  const void* model_;
  std::string pending_, copied_;  // the content serialised now, and as the last copy holds it
};

class KeptDocument : public KeptFile {
 public:
  KeptDocument(const std::shared_ptr<word::WordApplication>& app, const std::shared_ptr<word::DocumentState>& doc)
      : app_(app), doc_(doc), model_(doc.get()) {}

  const void* Model() const override { return model_; }
  bool Open() const override {
    const auto app = app_.lock();
    const auto doc = doc_.lock();
    return app && doc && !app->hasQuit() &&
           std::find(app->documents().begin(), app->documents().end(), doc) != app->documents().end();
  }
  bool Saved() const override {
    const auto doc = doc_.lock();
    return !doc || doc->saved();
  }
  CopyInfo Info() const override {
    const auto doc = doc_.lock();
    if (!doc) return {};
    return {kWord, doc->name, doc->hasFile ? doc->fullName : "", doc->format == word::DocumentFormat::OfficeOpenXml ? "docx" : "own"};
  }
  // Told as Word tells a change from the saved content: against the content the last copy holds.
  bool Changed() override {
    const auto doc = doc_.lock();
    if (!doc) return false;
    copied_.content = doc->content;
    return !copied_.saved();
  }
  void WriteCopy(const std::string& file) override {
    const auto doc = doc_.lock();
    if (!doc) return;
    word::WriteDocumentFile(doc->content, file, word::DocumentFormat::Own);
    Copied(*doc);
  }
  void Copied(const word::DocumentState& doc) {
    copied_.content = doc.content;
    copied_.MarkSaved();
  }

 private:
  std::weak_ptr<word::WordApplication> app_;
  std::weak_ptr<word::DocumentState> doc_;
  const void* model_;
  word::DocumentState copied_;  // only its content and saved content: the last copy's
};

std::unique_ptr<KeptFile> OpenWorkbookCopy(const std::shared_ptr<excel::ExcelApplication>& app, const std::string& content,
                                           const CopyInfo& info) {
  const std::string name = NameForCopy(info, [&](const std::string& n) {
    return std::any_of(app->books().begin(), app->books().end(),
                       [&](const auto& b) { return automation::FoldCase(b->name) == automation::FoldCase(n); });
  });
  const auto book = app->OpenBook(content);
  book->name = name;
  book->path = info.path;
  book->openXml = info.format == "xlsx";
  book->SetSaved(false);
  auto kept = std::make_unique<KeptWorkbook>(app, book);
  kept->Copied(*book);
  return kept;
}

std::unique_ptr<KeptFile> OpenDocumentCopy(const std::shared_ptr<word::WordApplication>& app, const std::string& content,
                                           const CopyInfo& info) {
  const std::string name = NameForCopy(info, [&](const std::string& n) {
    const std::string fullName = info.path.empty() ? n : info.path;
    return std::any_of(app->documents().begin(), app->documents().end(), [&](const auto& d) {
      return d->fullName == fullName || automation::FoldCase(d->name) == automation::FoldCase(n);
    });
  });
  const auto doc = app->open(content);
  doc->name = name;
  doc->fullName = info.path.empty() ? name : info.path;
  doc->hasFile = !info.path.empty();
  doc->format = info.format == "docx" ? word::DocumentFormat::OfficeOpenXml : word::DocumentFormat::Own;
  doc->MarkChanged();
  auto kept = std::make_unique<KeptDocument>(app, doc);
  kept->Copied(*doc);
  return kept;
}

}  // namespace

std::string ProgidOf(const Application& app) {
  if (dynamic_cast<const excel::ExcelApplication*>(&app)) return kExcel;
  if (dynamic_cast<const word::WordApplication*>(&app)) return kWord;
  return {};
}

std::vector<std::unique_ptr<KeptFile>> OpenFiles(const std::shared_ptr<Application>& app) {
  std::vector<std::unique_ptr<KeptFile>> files;
  if (app->hasQuit()) return files;
  if (const auto xl = std::dynamic_pointer_cast<excel::ExcelApplication>(app))
    for (const auto& book : xl->books()) files.push_back(std::make_unique<KeptWorkbook>(xl, book));
  if (const auto word = std::dynamic_pointer_cast<word::WordApplication>(app))
    for (const auto& doc : word->documents()) files.push_back(std::make_unique<KeptDocument>(word, doc));
  return files;
}

std::unique_ptr<KeptFile> OpenCopy(const std::shared_ptr<Application>& app, const std::string& content, const CopyInfo& info) {
  if (const auto xl = std::dynamic_pointer_cast<excel::ExcelApplication>(app); xl && info.progid == kExcel)
    return OpenWorkbookCopy(xl, content, info);
  if (const auto word = std::dynamic_pointer_cast<word::WordApplication>(app); word && info.progid == kWord)
    return OpenDocumentCopy(word, content, info);
  throw std::runtime_error("“" + info.name + "”不是这个应用程序的文件。");
}

}  // namespace office::recovery
