#include "platform/office/windows/word/document_window.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include "platform/office/windows/print_pages.h"
#include "platform/office/windows/word/document_printing.h"
#include "platform/office/word/story.h"
#include "platform/runtime/error.h"

namespace office::windows::word {
namespace {

using office::word::DocumentState;
using office::word::Span;

constexpr int kPageGap = 16;  // the grey around the page
constexpr int kPageDpi = 96;  // the page's pixels: the paper as it prints, at 96 dots an inch

bool SameSpan(Span a, Span b) { return a.start == b.start && a.end == b.end; }

}  // namespace

PageView::PageView(DocumentWindow& window) : QTextEdit(&window), window_(window) {
  setObjectName(QStringLiteral("page"));
  setReadOnly(true);  // every edit goes through the model
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setAttribute(Qt::WA_InputMethodEnabled, true);
  setUndoRedoEnabled(false);
  setAcceptDrops(false);
  setFrameShape(QFrame::NoFrame);
  viewport()->setCursor(Qt::IBeamCursor);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, QColor(0xE3, 0xE3, 0xE3));
  palette.setColor(QPalette::Text, Qt::black);
  setPalette(palette);
  connect(this, &QTextEdit::cursorPositionChanged, this, [this] { window_.ViewSelectionChanged(); });
  connect(this, &QTextEdit::selectionChanged, this, [this] { window_.ViewSelectionChanged(); });
}

int PageView::SideMargin() const {
  return std::max(kPageGap, (viewport()->width() - WordPaper().fullRectPixels(kPageDpi).width()) / 2);
}

void PageView::FitPage() {
  QTextFrame* root = document()->rootFrame();
  QTextFrameFormat format = root->frameFormat();
  const int side = SideMargin();
  // The text as wide as on the paper, so that its lines break where they will print.
  const QMargins paper = WordPaper().marginsPixels(kPageDpi);
  if (format.leftMargin() == side + paper.left() && format.topMargin() == kPageGap + paper.top()) return;
  format.setLeftMargin(side + paper.left());
  format.setRightMargin(side + paper.right());
  format.setTopMargin(kPageGap + paper.top());
  format.setBottomMargin(kPageGap + paper.bottom());
  format.setPadding(0);
  root->setFrameFormat(format);
}

void PageView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) return window_.Paste();
  if (event->matches(QKeySequence::Cut)) return window_.Cut();
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) return;
  const auto modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  switch (event->key()) {
    case Qt::Key_Backspace:
      if (modifiers == Qt::NoModifier) window_.DeleteBackward();
      return;
    case Qt::Key_Delete:
      if (modifiers == Qt::NoModifier) window_.DeleteForward();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (modifiers == Qt::NoModifier) window_.Type(event->modifiers() & Qt::ShiftModifier ? "\v" : "\r");
      return;
    case Qt::Key_Tab:
      if (modifiers == Qt::NoModifier) window_.Type("\t");
      return;
    default: break;
  }
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() && (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0)
    return window_.Type(text.toStdString());
  QTextEdit::keyPressEvent(event);  // moves, selections and copying: the page itself is read-only
}

void PageView::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) window_.Type(event->commitString().toStdString());
  event->accept();
}

void PageView::mousePressEvent(QMouseEvent* event) {
  window_.UserActivated(true);
  QTextEdit::mousePressEvent(event);
}

void PageView::resizeEvent(QResizeEvent* event) {
  QTextEdit::resizeEvent(event);
  FitPage();
}

bool PageView::viewportEvent(QEvent* event) {
  const bool handled = QTextEdit::viewportEvent(event);
  if (event->type() == QEvent::Resize) FitPage();  // a scroll bar came or went
  return handled;
}

void PageView::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(viewport());
    const int side = SideMargin();
    const QSizeF size = document()->size();
    const QRect page(side - horizontalScrollBar()->value(), kPageGap - verticalScrollBar()->value(),
                     static_cast<int>(size.width()) - 2 * side, static_cast<int>(size.height()) - 2 * kPageGap);
    painter.fillRect(page, Qt::white);
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    painter.drawRect(page.adjusted(-1, -1, 0, 0));
  }
  QTextEdit::paintEvent(event);
  // A page break shows as a dotted line above the text that starts the new page, as Word's draft
  // view shows it; it is no part of the text, so a printed page has no line.
  QPainter painter(viewport());
  painter.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1, Qt::DotLine));
  const QRect visible = viewport()->rect().translated(horizontalScrollBar()->value(), verticalScrollBar()->value());
  for (QTextBlock b = cursorForPosition(QPoint(0, 0)).block(); b.isValid(); b = b.next()) {
    const QRectF at = document()->documentLayout()->blockBoundingRect(b);
    if (at.top() > visible.bottom() + 8) break;
    if (b.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_AlwaysBefore || at.top() < visible.top()) continue;
    const int y = static_cast<int>(at.top()) - 4 - verticalScrollBar()->value();
    const int left = static_cast<int>(at.left()) - horizontalScrollBar()->value();
    painter.drawLine(left, y, left + static_cast<int>(at.width()), y);
  }
}

DocumentWindow::DocumentWindow(WindowHost& host, std::weak_ptr<DocumentState> document)
    : host_(&host), document_(std::move(document)) {
  setObjectName(QStringLiteral("wordDocument"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  page_ = new PageView(*this);
  setCentralWidget(page_);
  BuildMenus();
  resize(960, 720);
  page_->setFocus();
}

void DocumentWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
  file->setObjectName(QStringLiteral("fileMenu"));
  const auto add = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  add(file, "open", QStringLiteral("打开…"), QKeySequence::Open, [this] {
    if (host_) host_->OpenFile(this);
  });
  add(file, "save", QStringLiteral("保存"), QKeySequence::Save, [this] {
    if (host_) host_->Save(*this);
  });
  add(file, "saveAs", QStringLiteral("另存为…"), QKeySequence(Qt::Key_F12), [this] {
    const std::string path = AskFileName();
    if (!path.empty() && host_) host_->SaveAs(*this, path);
  });
  const auto name = [this] {
    const auto doc = document();
    return doc ? QString::fromStdString(doc->name) : QString();
  };
  add(file, "print", QStringLiteral("打印…"), QKeySequence::Print,
      [this, name] { OpenPrintDialog(this, WordPaper(), name(), PrintedDocument(document_)); });
  add(file, "printPreview", QStringLiteral("打印预览"), QKeySequence(Qt::CTRL | Qt::Key_F2),
      [this, name] { OpenPrintPreview(this, WordPaper(), name(), PrintedDocument(document_)); });
  add(file, "close", QStringLiteral("关闭"), QKeySequence(Qt::CTRL | Qt::Key_W), [this] {
    if (host_) host_->Closed(*this);
  });
  file->addSeparator();
  add(file, "quit", QStringLiteral("退出"), QKeySequence(), [this] {
    if (host_) host_->Quit();
  });
  QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑"));
  edit->setObjectName(QStringLiteral("editMenu"));
  add(edit, "findReplace", QStringLiteral("查找和替换…"), QKeySequence(Qt::CTRL | Qt::Key_H), [this] {
    if (host_) host_->ShowFind();
  });
  add(edit, "find", QStringLiteral("查找…"), QKeySequence::Find, [this] {
    if (host_) host_->ShowFind();
  });
}

std::string DocumentWindow::AskFileName() {
  const auto doc = document();
  if (!doc) return {};
  return QFileDialog::getSaveFileName(this, QStringLiteral("另存为"), QString::fromStdString(doc->fullName),
                                      QStringLiteral("Word 文档 (*.docx);;Word 模板 (*.dotx);;PDF (*.pdf);;Word 文档（本机格式） (*.doc);;Word 模板（本机格式） (*.dot);;所有文件 (*)"), nullptr,
                                      QFileDialog::DontUseNativeDialog)
      .toStdString();
}

void DocumentWindow::Refresh() {
  const auto doc = document();
  if (!doc) return;
  const QString title = QString::fromStdString(doc->name) + QStringLiteral(" - Word");
  if (windowTitle() != title) setWindowTitle(title);
  if (!hasRendered_ || !SameShownContent(rendered_, doc->content.main)) {
    Render(*doc, !SameSpan(doc->selection, shownSelection_));
  } else if (!SameSpan(doc->selection, shownSelection_)) {
    ShowSelection(*doc, true);
  }
}

void DocumentWindow::Render(DocumentState& doc, bool reveal) {
  if (hasRendered_) {
    // A user's edit changes a paragraph or a cell: only that is shown anew, keeping the page's
    // layout and scrolling; other changes render the whole story.
    updating_ = true;
    QTextCursor edits(page_->document());  // all of them one change, laid out once
    edits.beginEditBlock();
    const bool updated = shown_.Update(doc.content.main, rendered_, *page_->document());
    edits.endEditBlock();
    updating_ = false;
    if (updated) {
      rendered_ = doc.content.main;
      doc.ClampSelection();
      ShowSelection(doc, reveal);
      return;
    }
  }
  auto* fresh = new QTextDocument(page_);
  fresh->setDefaultFont(PageFont());
  fresh->setUndoRedoEnabled(false);
  shown_.Render(doc.content.main, *fresh);
  rendered_ = doc.content.main;
  hasRendered_ = true;
  const int vertical = page_->verticalScrollBar()->value(), horizontal = page_->horizontalScrollBar()->value();
  QTextDocument* old = page_->document();
  const bool ours = old->parent() == page_;  // the view's first document is its own to delete
  updating_ = true;
  page_->setDocument(fresh);
  page_->FitPage();
  updating_ = false;
  if (ours) delete old;
  doc.ClampSelection();
  ShowSelection(doc, false);
  page_->verticalScrollBar()->setValue(vertical);
  page_->horizontalScrollBar()->setValue(horizontal);
  if (reveal) page_->ensureCursorVisible();
}

void DocumentWindow::ShowSelection(const DocumentState& doc, bool reveal) {
  const Span shown = shown_.ShownSpanOf(doc.selection);
  QTextCursor cursor(page_->document());
  cursor.setPosition(static_cast<int>(shown.start));
  cursor.setPosition(static_cast<int>(shown.end), QTextCursor::KeepAnchor);
  updating_ = true;
  page_->setTextCursor(cursor);
  updating_ = false;
  shownSelection_ = doc.selection;
  if (reveal) page_->ensureCursorVisible();
}

void DocumentWindow::ViewSelectionChanged() {
  if (updating_) return;
  const auto doc = document();
  if (!doc) return;
  const QTextCursor cursor = page_->textCursor();
  doc->selection = shown_.ModelSpanOf(cursor.anchor(), cursor.position());
  doc->ClampSelection();
  const bool changed = !SameSpan(doc->selection, shownSelection_);
  shownSelection_ = doc->selection;
  if (changed && host_) host_->Acted();
}

void DocumentWindow::SelectShown(int anchor, int position) {
  Refresh();
  const int last = page_->document()->characterCount() - 1;
  QTextCursor cursor(page_->document());
  cursor.setPosition(std::clamp(anchor, 0, last));
  cursor.setPosition(std::clamp(position, 0, last), QTextCursor::KeepAnchor);
  page_->setTextCursor(cursor);
  ViewSelectionChanged();
}

void DocumentWindow::UserActivated(bool byInput) {
  if (host_) host_->Activated(*this, byInput);
}

void DocumentWindow::Type(const std::string& text) {
  const auto doc = document();
  if (!doc || text.empty()) return;
  Refresh();  // the page as the model has it now, with the insertion point
  Replace(doc->selection, text);
}

void DocumentWindow::DeleteBackward() {
  const auto doc = document();
  if (!doc) return;
  Refresh();
  if (!doc->selection.collapsed()) return Replace(doc->selection, "");
  const ShownChar c = shown_.CharAt(shown_.ShownOf(doc->selection.start) - 1);
  if (c.kind == ShownChar::Kind::Structure) return QApplication::beep();
  Replace({c.model, c.model + 1}, "");  // a paragraph mark: the model says whether they join
}

void DocumentWindow::DeleteForward() {
  const auto doc = document();
  if (!doc) return;
  Refresh();
  if (!doc->selection.collapsed()) return Replace(doc->selection, "");
  const ShownChar c = shown_.CharAt(shown_.ShownOf(doc->selection.start));
  if (c.kind == ShownChar::Kind::Structure) return QApplication::beep();
  Replace({c.model, c.model + 1}, "");
}

void DocumentWindow::Paste() {
  QString text = QApplication::clipboard()->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
  Type(text.toStdString());
}

void DocumentWindow::Cut() {
  const auto doc = document();
  if (!doc) return;
  Refresh();
  if (doc->selection.collapsed()) return;
  page_->copy();
  Replace(doc->selection, "");
}

void DocumentWindow::Replace(Span span, const std::string& text) {
  const auto doc = document();
  if (!doc) return;
  office::word::Inlines replacement;
  if (!text.empty()) replacement.push_back(office::word::Run{text});
  try {
    const Span put = office::word::ReplaceSpan(doc->content.main, span, std::move(replacement));
    office::word::Normalize(doc->content.main);
    doc->selection = {put.end, put.end};
    doc->ClampSelection();
  } catch (const runtime::Error&) {
    // A place the model refuses (across paragraphs, cutting a field): left as it is.
    QApplication::beep();
    return;
  }
  Render(*doc, true);
  if (host_) host_->Acted();
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
  if (!host_) return event->accept();
  event->ignore();  // the window goes when its document does
  host_->Closed(*this);
}

void DocumentWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && host_) host_->Activated(*this, false);
}

}  // namespace office::windows::word
