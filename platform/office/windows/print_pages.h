#pragma once
// Printing as the Office windows do it: pages laid out for one paper (a printer, a preview or a
// PDF) and painted onto it, and the 打印 and 打印预览 dialogs, opened over a window without
// blocking the host's event loop.

#include <functional>
#include <memory>

#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QString>

class QDialog;
class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace office::windows {

// Pages laid out for the paint rectangle of one device, in its pixels.
class PagedContent {
 public:
  virtual ~PagedContent() = default;
  virtual int PageCount() const = 0;
  // Paints the page (from 0) with the painter's origin at the paint rectangle's top left.
  virtual void PaintPage(QPainter& painter, int page) const = 0;
};

// Lays out what is to be printed, as it is now, for the device (its page layout gives the paper
// and the margins); nothing when there is nothing to print.
using LayOut = std::function<std::unique_ptr<PagedContent>(QPagedPaintDevice& device)>;

// Paints the pages onto the device, one sheet of paper each; on a printer only the page range
// and as many copies as its dialog chose. False when there was nothing to print.
bool PrintPages(const LayOut& layOut, QPagedPaintDevice& device);

// What the user is told when a print would have no page.
QString NothingToPrint();

// The pages as a PDF on the given paper, with their fonts embedded; empty when there was nothing
// to print.
QByteArray PdfOf(const LayOut& layOut, const QPageLayout& paper, const QString& title, const QString& creator);

// The font for print: its Latin letters and digits from a Latin font, as the CJK font's shaped
// digits reach a PDF without the characters they stand for, so that a viewer could not find or
// copy them.
QFont PrintFont(QFont font);

// 打印: Qt's print dialog over the window, set to the paper; on OK the pages go to the printer
// chosen. 打印预览: the pages as they will print, with the dialog's own button to print them.
// Both are window-modal and delete themselves when closed.
QDialog* OpenPrintDialog(QWidget* parent, const QPageLayout& paper, const QString& documentName, LayOut layOut);
QDialog* OpenPrintPreview(QWidget* parent, const QPageLayout& paper, const QString& documentName, LayOut layOut);

}  // namespace office::windows
