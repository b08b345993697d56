#pragma once
// The window of one open document: its main story shown in a page view, the insertion point and
// selection kept in step with the document's, and the user's typing and deleting made in the
// model, through ReplaceSpan as automation's own edits are.

#include <memory>
#include <string>

#include <QMainWindow>
#include <QTextEdit>

#include "platform/office/windows/word/shown_story.h"
#include "platform/office/word/document_state.h"

namespace office::windows::word {

class DocumentWindow;

// What a document window asks of the windows of its application.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // The user changed the model from a window; called last, as the windows may be gone after it.
  virtual void Acted() = 0;
  // The user brought the window forward: by input to it (a click) or through the desktop.
  virtual void Activated(DocumentWindow& window, bool byInput) = 0;
  // The user closed the window (its close button, 文件 > 关闭); a changed document asks first.
  virtual void Closed(DocumentWindow& window) = 0;
  // 文件 > 保存: to the document's file, or to one the user names when it has none.
  virtual void Save(DocumentWindow& window) = 0;
  virtual void OpenFile(QWidget* parent) = 0;
  virtual void Open(const std::string& path, QWidget* parent) = 0;
  virtual void SaveAs(DocumentWindow& window, const std::string& path) = 0;
  virtual void Quit() = 0;
  virtual void ShowFind() = 0;
};

// The page: a read-only text view whose editing keys go to the window, which edits the model.
class PageView : public QTextEdit {
 public:
  explicit PageView(DocumentWindow& window);
  // Puts the page's margins on a newly rendered document.
  void FitPage();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int SideMargin() const;
  DocumentWindow& window_;
};

class DocumentWindow : public QMainWindow {
 public:
  DocumentWindow(WindowHost& host, std::weak_ptr<office::word::DocumentState> document);

  // The host is gone: the window does nothing more of its own.
  void Detach() { host_ = nullptr; }
  std::shared_ptr<office::word::DocumentState> document() const { return document_.lock(); }
  PageView& page() { return *page_; }
  const ShownStory& shown() const { return shown_; }

  // Brings the window in line with its document: the title, the content when it changed, and
  // the shown selection when a program moved the document's.
  void Refresh();

  // The user's edits at the insertion point, each as its keystroke makes it.
  void Type(const std::string& text);
  void DeleteBackward();
  void DeleteForward();
  void Paste();
  void Cut();
  // The user's click (a collapsed range) or drag over shown positions.
  void SelectShown(int anchor, int position);
  // The shown cursor moved by the user: the document's selection follows it.
  void ViewSelectionChanged();
  void UserActivated(bool byInput);
  // 另存为's file dialog: the chosen path, empty when the user cancels.
  std::string AskFileName();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void Render(office::word::DocumentState& document, bool reveal);
  void ShowSelection(const office::word::DocumentState& document, bool reveal);
  // Replaces the span in the main story; a place the model refuses is left as it is.
  void Replace(office::word::Span span, const std::string& text);

  WindowHost* host_;
  std::weak_ptr<office::word::DocumentState> document_;
  PageView* page_ = nullptr;
  ShownStory shown_;
  office::word::Story rendered_;  // what the page shows, to tell whether the model changed
  bool hasRendered_ = false;
  office::word::Span shownSelection_;  // the document's selection as the page last showed or set it
  bool updating_ = false;              // the page's cursor is being set from the model
};

}  // namespace office::windows::word
