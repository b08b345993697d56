#include "platform/office/windows/word/document_printing.h"

#include <utility>
#include <vector>

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/office/windows/word/shown_story.h"

namespace office::windows::word {
namespace {

void LeaveOffFieldShading(QTextDocument& text) {
  std::vector<std::pair<int, int>> shaded;
  for (QTextBlock block = text.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().background().color() == FieldShading()) shaded.emplace_back(fragment.position(), fragment.length());
    }
  QTextCursor cursor(&text);
  for (const auto& [position, length] : shaded) {
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    QTextCharFormat format = cursor.charFormat();
    format.clearBackground();
    cursor.setCharFormat(format);
  }
}

// The layout scales margins to the device but takes first-line indents as they are: a window's
// pixels, 96 to the inch.
void ScaleIndents(QTextDocument& text, qreal scale) {
  QTextCursor cursor(&text);
  for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format = block.blockFormat();
    if (format.textIndent() == 0) continue;
    format.setTextIndent(format.textIndent() * scale);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(format);
  }
}

class DocumentPages final : public PagedContent {
 public:
  DocumentPages(const office::word::DocumentContent& document, QPagedPaintDevice& device)
      : page_(device.width(), device.height()) {
    text_.setDefaultFont(PrintFont(PageFont()));
    text_.setUndoRedoEnabled(false);
    office::word::Story story = document.main;  // rendering walks the story, which wants it mutable
    ShownStory().Render(story, text_);
    LeaveOffFieldShading(text_);
    ScaleIndents(text_, device.logicalDpiX() / 96.0);
    // Laid out in the device's pixels, the page's own lengths scaled to it by the layout.
    text_.documentLayout()->setPaintDevice(&device);
    text_.setDocumentMargin(0);
    text_.setPageSize(page_);
  }

  int PageCount() const override { return text_.pageCount(); }

  void PaintPage(QPainter& painter, int page) const override {
    const QRectF area(0, page * page_.height(), page_.width(), page_.height());
    painter.translate(0, -area.top());
    painter.setClipRect(area);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = area;
    context.palette.setColor(QPalette::Text, Qt::black);
    text_.documentLayout()->draw(&painter, context);
  }

 private:
  QSizeF page_;
  QTextDocument text_;
};

}  // namespace

QPageLayout WordPaper() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(31.8, 25.4, 31.8, 25.4), QPageLayout::Millimeter);
}

std::unique_ptr<PagedContent> LayOutDocument(const office::word::DocumentContent& document, QPagedPaintDevice& device) {
  return std::make_unique<DocumentPages>(document, device);
}

LayOut PrintedDocument(std::weak_ptr<office::word::DocumentState> document) {
  return [document = std::move(document)](QPagedPaintDevice& device) -> std::unique_ptr<PagedContent> {
    const auto open = document.lock();
    return open ? LayOutDocument(open->content, device) : nullptr;
  };
}

}  // namespace office::windows::word
