#include "platform/office/windows/word/pdf_export.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include "platform/office/windows/word/shown_story.h"

namespace office::windows::word {

std::string RenderPdf(const office::word::DocumentContent& document) {
  // Latin letters and digits from a Latin font: the CJK font's shaped digits reach the PDF without
  // the characters they stand for, so a viewer could not find or copy them.
  QFont font = PageFont();
  font.setFamilies({QStringLiteral("DejaVu Sans"), font.family()});
  QTextDocument text;
  text.setDefaultFont(font);
  text.setUndoRedoEnabled(false);
  office::word::Story story = document.main;  // rendering walks the story, which wants it mutable
  ShownStory().Render(story, text);

  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&bytes);
    pdf.setTitle(QString::fromStdString(document.title));
    pdf.setCreator(QStringLiteral("Microsoft Word"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(31.8, 25.4, 31.8, 25.4),
                                  QPageLayout::Millimeter));
    text.print(&pdf);
  }
  return bytes.data().toStdString();
}

}  // namespace office::windows::word
