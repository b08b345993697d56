#include "platform/office/windows/print_pages.h"

#include <algorithm>

#include <QBuffer>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace office::windows {
namespace {

enum class Printed { Done, Nothing, Failed };

Printed Print(const LayOut& layOut, QPagedPaintDevice& device) {
  const std::unique_ptr<PagedContent> pages = layOut ? layOut(device) : nullptr;
  if (!pages || pages->PageCount() <= 0) return Printed::Nothing;
  int first = 0, last = pages->PageCount() - 1;
  int copies = 1;
  bool collate = true, reverse = false;
  if (const auto* printer = dynamic_cast<const QPrinter*>(&device)) {
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
      first = std::max(first, printer->fromPage() - 1);
      last = std::min(last, std::max(printer->fromPage(), printer->toPage()) - 1);
    }
    if (!printer->supportsMultipleCopies()) {  // else the printer makes the copies itself
      copies = std::max(1, printer->copyCount());
      collate = printer->collateCopies();
    }
    reverse = printer->pageOrder() == QPrinter::LastPageFirst;
  }
  if (first > last) return Printed::Nothing;

  QPainter painter;
  if (!painter.begin(&device)) return Printed::Failed;
  bool firstSheet = true;
  const int sets = collate ? copies : 1, each = collate ? 1 : copies;
  for (int set = 0; set < sets; ++set)
    for (int i = first; i <= last; ++i)
      for (int n = 0; n < each; ++n) {
        if (!firstSheet && !device.newPage()) return Printed::Failed;
        firstSheet = false;
        painter.save();
        pages->PaintPage(painter, reverse ? first + last - i : i);
        painter.restore();
      }
  return painter.end() ? Printed::Done : Printed::Failed;
}

QPrinter* NewPrinter(const QPageLayout& paper, const QString& documentName) {
  auto* printer = new QPrinter(QPrinter::HighResolution);
  printer->setPageLayout(paper);
  printer->setDocName(documentName);
  return printer;
}

// The printer goes with the dialog that uses it.
void Owns(QDialog* dialog, QPrinter* printer) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::WindowModal);
  QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
}

// A preview paints nothing when there is nothing to print; the print dialog says so.
void PrintAndTell(const LayOut& layOut, QPrinter& printer, QWidget* parent, bool tellNothing) {
  const Printed printed = Print(layOut, printer);
  if (printed == Printed::Done || (printed == Printed::Nothing && !tellNothing)) return;
  QString text = NothingToPrint();
  if (printed == Printed::Failed)
    text = printer.outputFileName().isEmpty() ? QStringLiteral("无法在打印机“%1”上打印。").arg(printer.printerName())
                                              : QStringLiteral("无法打印到文件“%1”。").arg(printer.outputFileName());
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("打印"), text, QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("printMessage"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::WindowModal);
  box->open();
}

}  // namespace

QString NothingToPrint() { return QStringLiteral("没有可打印的内容。"); }

bool PrintPages(const LayOut& layOut, QPagedPaintDevice& device) { return Print(layOut, device) == Printed::Done; }

QByteArray PdfOf(const LayOut& layOut, const QPageLayout& paper, const QString& title, const QString& creator) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  Printed printed = Printed::Nothing;
  {
    QPdfWriter pdf(&bytes);
    pdf.setTitle(title);
    pdf.setCreator(creator);
    pdf.setPageLayout(paper);
    printed = Print(layOut, pdf);
  }
  return printed == Printed::Done ? bytes.data() : QByteArray();
}

QFont PrintFont(QFont font) {
  QStringList families = font.families();
  if (families.isEmpty()) families.append(font.family());
  families.prepend(QStringLiteral("DejaVu Sans"));
  font.setFamilies(families);
  return font;
}

QDialog* OpenPrintDialog(QWidget* parent, const QPageLayout& paper, const QString& documentName, LayOut layOut) {
  QPrinter* printer = NewPrinter(paper, documentName);
  auto* dialog = new QPrintDialog(printer, parent);
  dialog->setObjectName(QStringLiteral("printDialog"));
  dialog->setWindowTitle(QStringLiteral("打印"));
  Owns(dialog, printer);
  QObject::connect(dialog, &QDialog::accepted, dialog,
                   [printer, parent, layOut = std::move(layOut)] { PrintAndTell(layOut, *printer, parent, true); });
  dialog->open();
  return dialog;
}

QDialog* OpenPrintPreview(QWidget* parent, const QPageLayout& paper, const QString& documentName, LayOut layOut) {
  QPrinter* printer = NewPrinter(paper, documentName);
  auto* dialog = new QPrintPreviewDialog(printer, parent);
  dialog->setObjectName(QStringLiteral("printPreview"));
  dialog->setWindowTitle(QStringLiteral("打印预览"));
  Owns(dialog, printer);
  // The preview paints onto the printer to show the pages, and again onto the printer chosen
  // when the user prints from it.
  QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                   [dialog, layOut = std::move(layOut)](QPrinter* target) { PrintAndTell(layOut, *target, dialog, false); });
  dialog->resize(900, 800);
  dialog->open();
  return dialog;
}

}  // namespace office::windows
