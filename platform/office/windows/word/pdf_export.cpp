#include "platform/office/windows/word/pdf_export.h"

#include "platform/office/windows/print_pages.h"
#include "platform/office/windows/word/document_printing.h"

namespace office::windows::word {

std::string RenderPdf(const office::word::DocumentContent& document) {
  const LayOut layOut = [&document](QPagedPaintDevice& device) { return LayOutDocument(document, device); };
  return PdfOf(layOut, WordPaper(), QString::fromStdString(document.title), QStringLiteral("Microsoft Word")).toStdString();
}

}  // namespace office::windows::word
