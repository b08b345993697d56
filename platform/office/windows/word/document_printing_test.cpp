// The report on paper: its PDF and the window's 打印 and 打印预览, checked through the files they
// make as poppler reads them.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "platform/office/windows/print_testing.h"
#include "platform/office/windows/word/shown_story.h"
#include "platform/office/windows/word/word_windows.h"
#include "platform/office/word/word_application.h"
#include "platform/runtime/testing/error_number.h"

namespace office::windows {
namespace {

using automation::Named;
using automation::Object;
using testing::PdfPages;
using testing::PdfText;

class DocumentPrintingTest : public ::testing::Test {
 protected:
  DocumentPrintingTest() {
    std::filesystem::create_directories(folder_);
    report_ = app_.obj("Documents").call("Add", std::string(QORVANE_BIN_DIR) + "/房产估价报告(市场法和收益法).dot").toObject();
    app_.put("Visible", true);
    windows_->Sync();
    QCoreApplication::processEvents();
  }
  ~DocumentPrintingTest() override {
    windows_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(folder_);
  }

  QMainWindow* Window() const {
    for (QWidget* w : windows_->Shown())
      if (auto* main = qobject_cast<QMainWindow*>(w)) return main;
    return nullptr;
  }
  template <class Dialog>
  Dialog* Open(const char* action, const char* name) {
    Window()->findChild<QAction*>(action)->trigger();
    QCoreApplication::processEvents();
    return Window()->findChild<Dialog*>(name);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::string ExportedPdf() {
    const std::string pdf = Path("导出.pdf");
    report_.call("SaveAs2", Named("FileName", pdf), Named("FileFormat", 17));  // wdFormatPDF
    return pdf;
  }

  const std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() /
      ("qv_document_printing_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  std::shared_ptr<office::word::WordApplication> word_ = std::make_shared<office::word::WordApplication>();
  Object app_{word_};
  std::unique_ptr<ApplicationWindows> windows_ = MakeWordWindows(word_, [this] { windows_->Sync(); });
  Object report_;
};

// Stretches of the light grey that Word's screen puts behind a field's result, six pixels or
// longer, on the page drawn at 40 dpi.
int ShadedStretches(const std::string& pdf, int page) {
  const std::string png = pdf + ".page";
  testing::CommandOutput("pdftoppm -r 40 -png -singlefile -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf +
                         "' '" + png + "'");
  const QImage image(QString::fromStdString(png + ".png"));
  if (image.isNull()) return -1;
  int stretches = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0, run = 0; x < image.width(); ++x) {
      run = image.pixelColor(x, y) == word::FieldShading() ? run + 1 : 0;
      stretches += run == 6 ? 1 : 0;
    }
  return stretches;
}

// The left edge, in points, of the first printed line of page 2 that begins with the text.
double LineStart(const std::string& pdf, const std::string& begins) {
  std::istringstream lines(testing::CommandOutput("pdftotext -enc UTF-8 -f 2 -l 2 -bbox-layout '" + pdf + "' -"));
  for (std::string line, xMin; std::getline(lines, line);) {
    if (line.find("<line xMin=\"") != std::string::npos) xMin = line.substr(line.find('"') + 1);
    const std::size_t word = line.find("<word");
    if (word != std::string::npos && line.find(">" + begins, word) != std::string::npos) return std::stod(xMin);
  }
  return -1;
}

TEST_F(DocumentPrintingTest, AReportExportsToPdfWithItsTextOnItsPagesAndItsFontsEmbedded) {
  report_.call("Range", 0, 0).toObject().put("Text", "改");
  const std::string pdf = ExportedPdf();
  EXPECT_EQ(report_.get("Name").toText(), "文档1") << "a PDF is an export";
  EXPECT_FALSE(report_.get("Saved").toBool());
  const std::string first = PdfText(pdf, 1, 1);
  EXPECT_NE(first.find("改房地产估价报告"), std::string::npos) << first.substr(0, 300);
  EXPECT_EQ(first.find("附件"), std::string::npos) << "the end of the report is not on the first page";
  const std::string all = PdfText(pdf, 1, 1000);
  EXPECT_NE(all.find("附件"), std::string::npos);
  EXPECT_NE(all.find("估价委托人:_SC003_"), std::string::npos);
  EXPECT_NE(all.find("GB/T 50291"), std::string::npos) << "digits after Latin letters are text too";
  EXPECT_EQ(all.find("TITLE"), std::string::npos) << "field codes are not printed";
  EXPECT_GE(PdfPages(pdf), 5) << "paged";
  EXPECT_EQ(testing::FontsNotEmbedded(pdf), std::vector<std::string>{});
  EXPECT_EQ(ShadedStretches(pdf, 1), 0) << "fields print without their screen shading";

  windows_.reset();  // no windows, no layout: a clear error
  EXPECT_EQ(runtime::testing::ErrorNumberOf([&] { report_.call("SaveAs", pdf); }), 4198);
}

TEST_F(DocumentPrintingTest, AFirstLineIndentPrintsAtItsWidth) {
  const std::string pdf = ExportedPdf();
  const double margin = LineStart(pdf, "_SC003_");  // the letter's salutation, not indented
  const double indented = LineStart(pdf, "受贵");     // its first line, indented two characters
  ASSERT_GT(margin, 0);
  EXPECT_NEAR(indented - margin, 21, 3) << "two characters of the body text, as the window shows it";
}

TEST_F(DocumentPrintingTest, PrintGoesToThePrinterChosenInTheDialogWithItsPagesAndCopies) {
  const int pages = PdfPages(ExportedPdf());
  ASSERT_GE(pages, 3);

  auto* dialog = Open<QPrintDialog>("print", "printDialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
  EXPECT_EQ(dialog->printer()->pageLayout().pageSize().id(), QPageSize::A4);
  const std::string printed = Path("打印.pdf");
  testing::FillPrintDialog(*dialog, printed);
  dialog->accept();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Window()->findChild<QPrintDialog*>(), nullptr) << "the dialog goes when answered";
  EXPECT_EQ(PdfPages(printed), pages) << "paged as the PDF export";
  EXPECT_EQ(PdfText(printed, 1, pages), PdfText(ExportedPdf(), 1, pages));

  // Pages 2 and 3, two copies collated.
  dialog = Open<QPrintDialog>("print", "printDialog");
  ASSERT_NE(dialog, nullptr);
  const std::string range = Path("第2至3页.pdf");
  testing::FillPrintDialog(*dialog, range, 2, 3, 2);
  dialog->accept();
  ASSERT_EQ(PdfPages(range), 4);
  EXPECT_EQ(PdfText(range, 1, 1), PdfText(printed, 2, 2));
  EXPECT_EQ(PdfText(range, 2, 2), PdfText(printed, 3, 3));
  EXPECT_EQ(PdfText(range, 3, 4), PdfText(printed, 2, 3));

  // Cancelled: nothing printed.
  dialog = Open<QPrintDialog>("print", "printDialog");
  ASSERT_NE(dialog, nullptr);
  const std::string cancelled = Path("取消.pdf");
  testing::FillPrintDialog(*dialog, cancelled);
  dialog->reject();
  EXPECT_FALSE(std::filesystem::exists(cancelled));
}

TEST_F(DocumentPrintingTest, ThePreviewShowsThePagesAsTheyPrint) {
  const int pages = PdfPages(ExportedPdf());
  Window()->findChild<QAction*>("printPreview")->trigger();
  auto* preview = Window()->findChild<QPrintPreviewDialog*>("printPreview");
  ASSERT_NE(preview, nullptr);
  QCoreApplication::processEvents();
  auto* widget = preview->findChild<QPrintPreviewWidget*>();
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->pageCount(), pages);
  std::filesystem::create_directories(QORVANE_SCREENSHOT_DIR);
  ASSERT_TRUE(preview->grab().save(QString::fromStdString(std::string(QORVANE_SCREENSHOT_DIR) + "/word_print_preview.png")));

  preview->reject();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Window()->findChild<QPrintPreviewDialog*>(), nullptr);
}

}  // namespace
}  // namespace office::windows
