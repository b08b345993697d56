#pragma once
// The document on paper, for the printer, the preview and the PDF alike: its main story laid out
// as the window shows it, paged for the paper's page (its page breaks kept), without the shading
// that marks fields on the screen, as Word prints them.

#include <memory>

#include <QPageLayout>

#include "platform/office/windows/print_pages.h"
#include "platform/office/word/document.h"
#include "platform/office/word/document_state.h"

class QPagedPaintDevice;

namespace office::windows::word {

// Word's paper for a new document: A4, margins 2.54 cm above and below, 3.18 cm at the sides.
QPageLayout WordPaper();

std::unique_ptr<PagedContent> LayOutDocument(const office::word::DocumentContent& document, QPagedPaintDevice& device);
// The open document as it is when it prints; nothing once it is closed.
LayOut PrintedDocument(std::weak_ptr<office::word::DocumentState> document);

}  // namespace office::windows::word
