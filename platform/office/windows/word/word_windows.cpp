#include "platform/office/windows/word/word_windows.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include <QElapsedTimer>
#include <QFileDialog>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>

#include "platform/office/windows/save_question.h"
#include "platform/office/windows/word/document_window.h"
#include "platform/office/windows/word/find_dialog.h"
#include "platform/office/windows/word/pdf_export.h"
#include "platform/office/word/objects.h"
#include "platform/runtime/error.h"

namespace office::windows {
namespace {

using office::word::DocumentState;
using office::word::FindOptions;
using office::word::ReplaceMode;
using office::word::Span;
using office::word::WordApplication;
using word::DocumentWindow;
using word::FindAction;
using word::FindDialog;

// Activations the desktop reports this soon after the windows were shown or raised are its
// answer to that, not the user's.
constexpr qint64 kSettleMilliseconds = 500;

bool SameSpan(Span a, Span b) { return a.start == b.start && a.end == b.end; }

std::optional<int> Number(const std::string& text) {
  int n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

void Later(QWidget* widget) {
  if (!widget) return;
  widget->hide();
  widget->deleteLater();
}

class WordWindows final : public ApplicationWindows, public word::WindowHost {
 public:
  WordWindows(std::shared_ptr<WordApplication> app, UserActed acted) : app_(std::move(app)), acted_(std::move(acted)) {
    app_->setPdfRenderer(word::RenderPdf);
  }

  ~WordWindows() override {
    app_->setPdfRenderer({});
    for (const Entry& e : windows_) Drop(e.window);
    Later(find_);
    Later(message_);
    Later(question_);
  }

  void Sync() override {
    const bool visible = app_->visible() && !app_->hasQuit();
    const auto& documents = app_->documents();
    std::vector<Entry> entries;
    for (const auto& doc : documents) {
      DocumentWindow* window = WindowOf(doc.get());
      if (!window) {
        window = new DocumentWindow(*this, doc);
        const int step = 30 * (created_++ % 8);
        window->move(40 + step, 40 + step);
      }
      entries.push_back({doc, window});
    }
    for (const Entry& e : windows_)
      if (std::none_of(entries.begin(), entries.end(), [&](const Entry& n) { return n.window == e.window; })) Drop(e.window);
    windows_ = std::move(entries);

    if (!visible) {
      for (const Entry& e : windows_) e.window->hide();
      if (find_) find_->hide();
      if (message_) message_->hide();
      Later(question_);
      raised_.reset();
      return;
    }
    const auto active = Active();
    bool bringForward = active.get() != raised_.lock().get();
    DocumentWindow* activeWindow = nullptr;
    for (const Entry& e : windows_) {
      if (e.doc.lock() == active) {
        activeWindow = e.window;
        continue;
      }
      bringForward |= ShowAndRefresh(*e.window);
    }
    if (activeWindow) {
      bringForward |= ShowAndRefresh(*activeWindow);
      if (bringForward) {
        settle_.start();
        activeWindow->raise();
        activeWindow->activateWindow();
      }
    }
    raised_ = active;
  }

  std::vector<QWidget*> Shown() const override {
    std::vector<QWidget*> shown;
    for (const Entry& e : windows_)
      if (e.window->isVisible()) shown.push_back(e.window);
    if (find_ && find_->isVisible()) shown.push_back(find_);
    if (message_ && message_->isVisible()) shown.push_back(message_);
    if (question_ && question_->isVisible()) shown.push_back(question_);
    return shown;
  }

  bool Perform(const std::vector<std::string>& action) override {
    if (action.empty() || !app_->visible() || app_->hasQuit()) return false;
    const std::string& verb = action[0];
    const std::size_t n = action.size();
    if (question_ && verb != "answer") return false;  // the question waits for its answer
    DocumentWindow* window = WindowOf(Active().get());
    if (!window) return false;
    window->Refresh();
    if (verb == "type" && n == 2) {
      std::string text = action[1];
      std::replace(text.begin(), text.end(), '\n', '\r');
      window->Type(text);
    } else if (verb == "key" && n == 2) {
      if (action[1] == "Backspace") window->DeleteBackward();
      else if (action[1] == "Delete") window->DeleteForward();
      else if (action[1] == "Enter") window->Type("\r");
      else if (action[1] == "Tab") window->Type("\t");
      else return false;
    } else if (verb == "click" && n == 2) {
      const auto at = Number(action[1]);
      if (!at) return false;
      window->SelectShown(*at, *at);
    } else if (verb == "select" && n == 3) {
      const auto from = Number(action[1]), to = Number(action[2]);
      if (!from || !to) return false;
      window->SelectShown(*from, *to);
    } else if (verb == "activate" && n == 2) {
      const auto it = std::find_if(windows_.begin(), windows_.end(), [&](const Entry& e) {
        const auto doc = e.doc.lock();
        return doc && doc->name == action[1];
      });
      if (it == windows_.end()) return false;
      it->window->UserActivated(true);
    } else if (verb == "open" && n == 2) {
      Open(action[1], window);
    } else if (verb == "saveas" && n == 2) {
      SaveAs(*window, action[1]);
    } else if (verb == "save" && (n == 1 || n == 2)) {
      Chosen chosen(*this, n == 2 ? action[1] : std::string());
      Save(*window);
    } else if (verb == "answer" && (n == 2 || n == 3) && question_) {
      QAbstractButton* button = SaveQuestionButton(question_, action[1]);
      if (!button) return false;
      Chosen chosen(*this, n == 3 ? action[2] : std::string());
      button->click();
    } else if (verb == "close" && n == 1) {
      Closed(*window);
    } else if (verb == "quit" && n == 1) {
      Quit();
    } else if (verb == "find" && n == 1) {
      ShowFind();
    } else {
      return false;
    }
    return true;
  }

  // WindowHost
  void Acted() override {
    const UserActed acted = acted_;  // the host may drop these windows from within the call
    if (acted) acted();
  }

  void Activated(DocumentWindow& window, bool byInput) override {
    if (!byInput && settle_.isValid() && settle_.elapsed() < kSettleMilliseconds) return;
    const auto doc = window.document();
    if (!doc || doc == Active()) return;
    app_->activate(doc);
    raised_ = doc;
    Acted();
  }

  void Closed(DocumentWindow& window) override {
    const auto doc = window.document();
    if (!doc || Asking()) return;
    if (doc->saved()) return Close(*doc);
    Ask(*doc, [this, weak = std::weak_ptr(doc)](SaveAnswer answer) {
      const auto asked = weak.lock();
      if (!asked || answer == SaveAnswer::Cancel || (answer == SaveAnswer::Save && !SaveDocument(*asked))) return;
      Close(*asked);
    });
  }

  void Save(DocumentWindow& window) override {
    if (const auto doc = window.document()) SaveDocument(*doc);
  }

  void OpenFile(QWidget* parent) override {
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), QString(),
                                                      QStringLiteral("Word 文档 (*.docx *.dotx *.doc *.dot);;所有文件 (*)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) Open(path.toStdString(), parent);
  }

  void Open(const std::string& path, QWidget* parent) override {
    try {
      app_->open(path);
    } catch (const runtime::Error& e) {
      return Message(parent, QString::fromStdString(e.description()));
    }
    Sync();
    Acted();
  }

  void SaveAs(DocumentWindow& window, const std::string& path) override {
    if (const auto doc = window.document()) SaveTo(*doc, path, office::word::FormatOfName(path));
  }

  // Word asks about each changed document in turn; 取消 keeps everything open.
  void Quit() override {
    if (Asking()) return;
    discarded_.clear();
    QuitStep();
  }

  void ShowFind() override {
    const auto doc = Active();
    if (!doc) return;
    if (!find_) find_ = new FindDialog([this](FindAction action, const FindOptions& options) { Search(action, options); });
    if (!find_->isVisible()) find_->Load(doc->find);
    find_->show();
    find_->raise();
    find_->activateWindow();
  }

 private:
  struct Entry {
    std::weak_ptr<DocumentState> doc;
    DocumentWindow* window = nullptr;
  };

  std::shared_ptr<DocumentState> Active() const {
    if (app_->documents().empty()) return nullptr;
    try {
      return app_->activeDocument();
    } catch (const runtime::Error&) {
      return nullptr;
    }
  }

  DocumentWindow* WindowOf(const DocumentState* doc) const {
    if (!doc) return nullptr;
    for (const Entry& e : windows_)
      if (e.doc.lock().get() == doc) return e.window;
    return nullptr;
  }

  // Shows the window brought up to date; true when it was hidden.
  static bool ShowAndRefresh(DocumentWindow& window) {
    const bool hidden = !window.isVisible();
    window.Refresh();
    if (hidden) window.show();
    return hidden;
  }

  static void Drop(DocumentWindow* window) {
    window->Detach();
    Later(window);
  }

  // A path chosen in advance by a test's action, taken instead of a file dialog (none: cancelled).
  // The action may quit Word, and the host then drops these windows from within it.
  class Chosen {
   public:
    Chosen(WordWindows& windows, std::string path) : windows_(windows), alive_(windows.alive_) {
      windows_.chosen_ = std::move(path);
    }
    ~Chosen() {
      if (!alive_.expired()) windows_.chosen_.reset();
    }
    Chosen(const Chosen&) = delete;
    Chosen& operator=(const Chosen&) = delete;

   private:
    WordWindows& windows_;
    std::weak_ptr<int> alive_;
  };

  bool Asking() {
    if (!question_) return false;
    question_->raise();
    question_->activateWindow();
    return true;
  }

  // "是否将更改保存到 NAME 中？", over the document's window.
  void Ask(DocumentState& doc, std::function<void(SaveAnswer)> then) {
    question_ = AskToSaveChanges(WindowOf(&doc), QStringLiteral("Microsoft Word"),
                                 QStringLiteral("是否将更改保存到 %1 中？").arg(QString::fromStdString(doc.name)),
                                 [this, then = std::move(then)](SaveAnswer answer) {
                                   question_ = nullptr;
                                   then(answer);
                                 });
  }

  // 保存 of a document: to its file, or to one the user names; false when not saved.
  bool SaveDocument(DocumentState& doc) {
    DocumentWindow* window = WindowOf(&doc);
    if (doc.hasFile) return SaveTo(doc, doc.fullName, doc.format);
    const std::string path = chosen_ ? *chosen_ : window ? window->AskFileName() : std::string();
    // A PDF is an export: the document is still not saved.
    return !path.empty() && SaveTo(doc, path, office::word::FormatOfName(path)) && doc.saved();
  }

  bool SaveTo(DocumentState& doc, const std::string& path, office::word::DocumentFormat format) {
    try {
      app_->save(doc, path, format);
    } catch (const runtime::Error& e) {
      Message(WindowOf(&doc), QString::fromStdString(e.description()));
      return false;
    }
    Sync();
    Acted();
    return true;
  }

  void Close(DocumentState& doc) {
    app_->close(doc);
    if (app_->documents().empty()) QuitWord();  // closing the last window quits Word, as quitting it does
    Sync();
    Acted();
  }

  void QuitStep() {
    for (const auto& doc : app_->documents()) {
      if (doc->saved() || std::any_of(discarded_.begin(), discarded_.end(), [&](const auto& d) { return d.lock() == doc; })) continue;
      app_->activate(doc);
      Sync();
      return Ask(*doc, [this, weak = std::weak_ptr(doc)](SaveAnswer answer) {
        const auto asked = weak.lock();
        if (answer == SaveAnswer::Cancel) return discarded_.clear();
        if (asked && answer == SaveAnswer::DontSave) discarded_.push_back(asked);
        if (asked && answer == SaveAnswer::Save && !SaveDocument(*asked)) return discarded_.clear();
        QuitStep();
      });
    }
    discarded_.clear();
    QuitWord();
    Sync();
    Acted();
  }

  void QuitWord() {
    try {
      automation::Object(app_).call("Quit");
    } catch (const runtime::Error&) {
    }
  }

  void Message(QWidget* parent, const QString& text) {
    Later(message_);
    message_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Microsoft Word"), text, QMessageBox::Ok, parent);
    message_->setObjectName(QStringLiteral("wordMessage"));
    message_->setAttribute(Qt::WA_DeleteOnClose);
    message_->setWindowModality(Qt::NonModal);
    message_->show();
  }

  // A search from the dialog: the find object takes the dialog's settings, as after a user's own
  // search, and the search runs through the model's Execute.
  void Search(FindAction action, const FindOptions& options) {
    const auto doc = Active();
    if (!doc) return;
    DocumentWindow* window = WindowOf(doc.get());
    if (window) window->Refresh();
    doc->find = options;
    QString message;
    try {
      switch (action) {
        case FindAction::Next:
          if (!FindNext(*doc)) message = QStringLiteral("Word 已完成对文档的搜索，未找到搜索项。");
          break;
        case FindAction::Replace: {
          // The selection is replaced when it is a match; then the next match is selected.
          FindOptions within = doc->find;
          within.wrap = 0;
          bool replaced = false;
          if (!doc->selection.collapsed()) {
            const auto match = office::word::Execute(doc->content, doc->selection, within, ReplaceMode::None);
            if (match.found && SameSpan(match.selection, doc->selection)) {
              doc->selection = office::word::Execute(doc->content, doc->selection, within, ReplaceMode::One).selection;
              replaced = true;
            }
          }
          if (!FindNext(*doc))
            message = replaced ? QStringLiteral("Word 已完成对文档的搜索。") : QStringLiteral("Word 已完成对文档的搜索，未找到搜索项。");
          break;
        }
        case FindAction::ReplaceAll: {
          const auto result = office::word::Execute(doc->content, doc->selection, doc->find, ReplaceMode::All);
          doc->selection = result.selection;
          message = result.found ? QStringLiteral("全部完成。") : QStringLiteral("Word 已完成对文档的搜索，未找到搜索项。");
          break;
        }
      }
    } catch (const runtime::Error& e) {
      message = QString::fromStdString(e.description());
    }
    doc->ClampSelection();
    if (window) window->Refresh();
    if (!message.isEmpty()) Message(find_ && find_->isVisible() ? static_cast<QWidget*>(find_) : window, message);
    Acted();
  }

  // The next match after the selection (before it, searching up).
  static bool FindNext(DocumentState& doc) {
    const std::size_t from = doc.find.forward ? doc.selection.end : doc.selection.start;
    const auto result = office::word::Execute(doc.content, Span{from, from}, doc.find, ReplaceMode::None);
    if (result.found) doc.selection = result.selection;
    return result.found;
  }

  std::shared_ptr<WordApplication> app_;
  UserActed acted_;
  std::vector<Entry> windows_;
  std::weak_ptr<DocumentState> raised_;  // the document whose window was last brought forward
  QPointer<FindDialog> find_;
  QPointer<QMessageBox> message_;
  QPointer<QMessageBox> question_;
  std::optional<std::string> chosen_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // gone with the windows
  std::vector<std::weak_ptr<DocumentState>> discarded_;  // 不保存 answered while quitting
  QElapsedTimer settle_;
  int created_ = 0;
};

}  // namespace

std::unique_ptr<ApplicationWindows> MakeWordWindows(std::shared_ptr<office::word::WordApplication> app, UserActed acted) {
  return std::make_unique<WordWindows>(std::move(app), std::move(acted));
}

}  // namespace office::windows
