// Sheets on paper: the PDF of a sheet or a workbook and the window's 打印, 打印预览 and PDF export,
// checked through the files they make as poppler reads them.
#include "platform/office/windows/excel/sheet_printing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <unistd.h>

#include "platform/automation/dispatch.h"
#include "platform/office/excel/application.h"
#include "platform/office/windows/excel/excel_windows.h"
#include "platform/office/windows/excel/sheet_grid.h"
#include "platform/office/windows/print_testing.h"

namespace office::windows {
namespace {

using automation::Object;
using excel_window::WritePdf;
using testing::PdfPages;
using testing::PdfText;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct SheetPrintingTest : ::testing::Test {
  SheetPrintingTest() {
    dir = std::filesystem::temp_directory_path() /
          ("qv_sheet_printing_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    xl.put("Visible", true);
  }
  ~SheetPrintingTest() override {
    windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(dir);
  }

  std::string Path(const std::string& name) const { return (dir / name).string(); }
  void OpenMarket() { xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/市场法.xlt"); }
  Object Sheet() const { return xl.obj("ActiveSheet"); }
  void Put(const std::string& cell, const automation::Variant& value) const { Sheet().obj("Range", cell).put("Value", value); }
  // The PDF of the active sheet or of the whole workbook, by the path it was written to.
  std::string Pdf(const std::string& name, bool wholeWorkbook = false) const {
    const std::string path = Path(name);
    EXPECT_TRUE(WritePdf(app->activeBook(), wholeWorkbook, path));
    return path;
  }

  QMainWindow* Main() {
    if (!windows) windows = MakeExcelWindows(app, [] {});
    windows->Sync();
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "XLMAIN") return qobject_cast<QMainWindow*>(w);
    return nullptr;
  }
  template <class Dialog>
  Dialog* Chosen(const char* action, const char* name) {
    Main()->findChild<QAction*>(action)->trigger();
    QCoreApplication::processEvents();
    return Main()->findChild<Dialog*>(name);
  }
  // 另存为 answered as a user does: the type chosen, the file's name typed.
  void SaveAs(const QString& type, const std::string& path) {
    auto* dialog = Chosen<QFileDialog>("actionSaveAs", "xlSaveAsDialog");
    ASSERT_NE(dialog, nullptr);
    dialog->selectNameFilter(type);
    dialog->setDirectory(QString::fromStdString(dir.string()));
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  }
  QMessageBox* Box() {
    for (QMessageBox* box : Main()->findChildren<QMessageBox*>())
      if (box->isVisible()) return box;
    return nullptr;
  }

  std::shared_ptr<excel::ExcelApplication> app = std::make_shared<excel::ExcelApplication>();
  Object xl{app};
  std::unique_ptr<ApplicationWindows> windows;
  std::filesystem::path dir;
};

TEST_F(SheetPrintingTest, TheMarketSheetPrintsItsPrintAreaDownThenOverWithEmbeddedFonts) {
  OpenMarket();
  xl.obj("Worksheets", "市场法计算表").call("Activate");
  const std::string pdf = Pdf("市场法计算表.pdf");
  // A2:O37 is twice as wide as A4's width and fits its height: three pages side by side.
  ASSERT_EQ(PdfPages(pdf), 3);
  const std::string first = PdfText(pdf, 1, 1), second = PdfText(pdf, 2, 2), third = PdfText(pdf, 3, 3);
  EXPECT_TRUE(Has(first, "市场比较法计算表")) << first;
  EXPECT_TRUE(Has(first, "交易案例1"));
  EXPECT_TRUE(Has(first, "一、比较因素条件说明与条件指数(估价对象条件指数为100)")) << "a long label runs on whole";
  EXPECT_FALSE(Has(first, "估价对象指数/案例指数"));
  EXPECT_TRUE(Has(second, "修正系数(估价对象指数/案例指数)"));
  EXPECT_FALSE(Has(second, "交易案例1"));
  EXPECT_TRUE(Has(third, "计算表编号"));
  EXPECT_EQ(testing::FontsNotEmbedded(pdf), std::vector<std::string>{});
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Saved").toBool(), true) << "printing changes nothing";
}

TEST_F(SheetPrintingTest, HiddenRowsColumnsAndCellsOutsideThePrintAreaDoNotPrint) {
  xl.obj("Workbooks").call("Add");
  Put("A1", "甲1");
  Put("A60", "甲60");
  Put("L1", "乙1");
  Put("L60", "乙60");
  Put("A30", "隐藏的行");
  Sheet().obj("Rows", 30).put("Hidden", true);
  Put("C2", "隐藏的列");
  Sheet().obj("Columns", "C").put("ColumnWidth", 0);

  // Sixty rows are more than a page high, twelve columns more than a page wide: down, then over.
  std::string pdf = Pdf("全部.pdf");
  ASSERT_EQ(PdfPages(pdf), 4);
  EXPECT_TRUE(Has(PdfText(pdf, 1, 1), "甲1"));
  EXPECT_TRUE(Has(PdfText(pdf, 2, 2), "甲60"));
  EXPECT_TRUE(Has(PdfText(pdf, 3, 3), "乙1"));
  EXPECT_TRUE(Has(PdfText(pdf, 4, 4), "乙60"));
  EXPECT_FALSE(Has(PdfText(pdf, 1, 4), "隐藏"));

  Sheet().obj("PageSetup").put("PrintArea", "A2:B60");
  pdf = Pdf("打印区域.pdf");
  EXPECT_EQ(PdfPages(pdf), 2);
  const std::string text = PdfText(pdf, 1, 2);
  EXPECT_TRUE(Has(text, "甲60"));
  EXPECT_FALSE(Has(text, "甲1\n")) << "row 1 is outside";
  EXPECT_FALSE(Has(text, "乙"));

  // A print area of whole columns ends where the sheet's cells end.
  Sheet().obj("PageSetup").put("PrintArea", "$A:$A");
  EXPECT_EQ(PdfPages(Pdf("整列.pdf")), 2);
}

// Where the page's cells are drawn: the paper's margin is 17.8 mm at the side and 19.1 mm at the
// top, and the grid's sizes are 96 to the inch, so that pdftoppm at 96 dpi draws them 1:1.
int DarkPixels(const QImage& page, int left, int top, int width, int height) {
  const int x0 = 67, y0 = 72;
  int dark = 0;
  for (int y = y0 + top; y < y0 + top + height; ++y)
    for (int x = x0 + left; x < x0 + left + width; ++x) dark += page.pixelColor(x, y).lightness() < 128 ? 1 : 0;
  return dark;
}

// The page drawn at 96 dpi, 1:1 with the grid's pixels.
QImage PageImage(const std::string& pdf, int page) {
  const std::string png = pdf + "." + std::to_string(page);
  testing::CommandOutput("pdftoppm -r 96 -png -singlefile -f " + std::to_string(page) + " -l " + std::to_string(page) + " '" + pdf + "' '" +
                         png + "'");
  return QImage(QString::fromStdString(png + ".png"));
}

TEST_F(SheetPrintingTest, ALongTextRunsOnOverEmptyCellsAlsoOntoTheNextPageAndStopsAtAFilledOne) {
  xl.obj("Workbooks").call("Add");
  const std::string text = "估价对象位于城市中心区域交通便利";
  Put("A1", text);
  Put("A2", text);
  Put("B2", 5);
  Put("J3", text);  // A to J fill the page's width: J3's text goes on over K3 on the next page
  Put("M3", "止");
  const std::string pdf = Pdf("长文本.pdf");
  ASSERT_EQ(PdfPages(pdf), 2);
  const QImage first = PageImage(pdf, 1), second = PageImage(pdf, 2);
  ASSERT_FALSE(first.isNull() || second.isNull());
  const int column = excel_window::ColumnPixels(excel::kStandardColumnWidth);
  EXPECT_GT(DarkPixels(first, column, 2, column, 16), 20) << "A1's text goes on over B1";
  EXPECT_EQ(DarkPixels(first, column + 1, 22, column / 2, 16), 0) << "A2's text stops where B2 holds a number";
  EXPECT_GT(DarkPixels(first, column + column / 2, 22, column / 2, 16), 0) << "B2's number, right-aligned";
  EXPECT_GT(DarkPixels(second, 0, 42, column, 16), 20) << "K3 shows the rest of J3's text";
}

TEST_F(SheetPrintingTest, CellBordersAndRowHeightsPrintAsTheSheetHasThem) {
  xl.obj("Workbooks").call("Add");
  Put("A1", "起");
  Put("A5", "止");
  excel::SheetModel& sheet = *app->activeBook()->sheets().front();
  sheet.cells.At(3, 2).style.borders.fill(excel::BorderLine::Thick);
  sheet.cells.SetHeight(3, excel::kStandardRowHeight * 3);  // 60 pixels
  const QImage page = PageImage(Pdf("边框.pdf"), 1);
  ASSERT_FALSE(page.isNull());
  const int column = excel_window::ColumnPixels(excel::kStandardColumnWidth);
  EXPECT_GT(DarkPixels(page, column, 42, 3, 56), 150) << "B3's thick left line, down its three-row height";
  EXPECT_GT(DarkPixels(page, column + 4, 97, column - 8, 3), 3 * (column - 12)) << "its bottom line, 60 pixels down";
  EXPECT_EQ(DarkPixels(page, column + 4, 57, column - 8, 3), 0) << "no line where a standard row would end";
  EXPECT_GT(DarkPixels(page, 0, 122, column, 16), 0) << "A5 below the tall row";
}

// The words of a page as pdftotext places them, in points from the paper's top left.
struct Word {
  std::string text;
  double left, top, right, bottom;
};
std::vector<Word> Words(const std::string& pdf, int page) {
  std::vector<Word> words;
  std::istringstream lines(testing::CommandOutput("pdftotext -enc UTF-8 -bbox -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                                  " '" + pdf + "' -"));
  for (std::string line; std::getline(lines, line);) {
    double left = 0, top = 0, right = 0, bottom = 0;
    const std::size_t start = line.find('>'), end = line.find("</word>");
    if (std::sscanf(line.c_str(), " <word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &left, &top, &right, &bottom) != 4 ||
        end == std::string::npos)
      continue;
    const QString text = QString::fromStdString(line.substr(start + 1, end - start - 1)).normalized(QString::NormalizationForm_KC);
    words.push_back({text.toStdString(), left, top, right, bottom});
  }
  return words;
}

TEST_F(SheetPrintingTest, AMergedAreaPrintsAsOneCellAndAWrappedTextWrapsInsideItsCell) {
  xl.obj("Workbooks").call("Add");
  excel::SheetModel& sheet = *app->activeBook()->sheets().front();
  const std::string title = "房地产估价结果汇总表", wrapped = "估价对象位于城市核心区域交通便利配套完善", across = "跨页的合并区域";
  Put("A1", title);
  Put("B3", wrapped);
  Put("I5", across);
  // Each cell of a merged area formatted alike, as Excel formats them.
  for (const excel::Area& merge : {excel::Area{1, 1, 1, 6}, excel::Area{5, 9, 5, 12}}) {
    for (int column = merge.left; column <= merge.right; ++column) {
      excel::CellFormat& look = sheet.cells.At(merge.top, column).style;
      look.horizontal = excel::HorizontalAlignment::Center;
      look.borders.fill(excel::BorderLine::Thick);
      if (merge.top == 1) look.bold = true, look.fontSize = 16;
      else look.fill = 0xFFF2CC;
    }
    sheet.cells.Merge(merge);  // I5:L5 goes over the first page's edge after J
  }
  sheet.cells.At(3, 2).style.wrap = true;
  sheet.cells.SetHeight(1, 2 * excel::kStandardRowHeight);  // 40 pixels
  sheet.cells.SetHeight(3, 6 * excel::kStandardRowHeight);  // 120 pixels
  const std::string pdf = Pdf("合并与换行.pdf");
  ASSERT_EQ(PdfPages(pdf), 2);

  // Points from pixels on the paper: the margins are 17.8 mm at the side and 19.1 mm at the top.
  const auto ptX = [](double pixels) { return 17.8 / 25.4 * 72 + pixels * 0.75; };
  const auto ptY = [](double pixels) { return 19.1 / 25.4 * 72 + pixels * 0.75; };
  const int column = excel_window::ColumnPixels(excel::kStandardColumnWidth);
  double left = 1e9, right = 0, top = 1e9, bottom = 0, lines = 0, lastTop = -1;
  std::string titleText, wrappedText;
  for (const Word& w : Words(pdf, 1)) {
    if (w.top < ptY(40)) {
      titleText += w.text;
      left = std::min(left, w.left);
      right = std::max(right, w.right);
    } else if (w.top < ptY(180)) {
      wrappedText += w.text;
      top = std::min(top, w.top);
      bottom = std::max(bottom, w.bottom);
      EXPECT_GE(w.left, ptX(column) - 0.5) << w.text;
      EXPECT_LE(w.right, ptX(2 * column) + 0.5) << w.text << " reaches past B3";
      if (w.top > lastTop + 1) ++lines, lastTop = w.top;
    }
  }
  EXPECT_EQ(titleText, title);
  EXPECT_NEAR((left + right) / 2, ptX(3 * column), 2) << "centred over A1:F1, not over A1";
  EXPECT_EQ(wrappedText, wrapped) << "all of it, in order";
  EXPECT_GE(lines, 3) << "on several lines";
  EXPECT_GE(top, ptY(60) - 0.5);
  EXPECT_LE(bottom, ptY(180) + 0.5) << "inside the row's height";

  const QImage first = PageImage(pdf, 1), second = PageImage(pdf, 2);
  ASSERT_FALSE(first.isNull() || second.isNull());
  EXPECT_GT(DarkPixels(first, 0, 5, 3, 30), 60) << "the title's box, left";
  EXPECT_EQ(DarkPixels(first, column - 6, 5, 12, 30), 0) << "no line between A1 and B1 under the merge";
  EXPECT_EQ(DarkPixels(first, 5 * column - 6, 5, 12, 30), 0) << "nor between E1 and F1";
  EXPECT_GT(DarkPixels(first, 6 * column - 3, 5, 3, 30), 60) << "the title's box, right";
  // I5:L5: I and J on the first page, K and L on the second, its text centred on the edge between.
  const auto filled = [](const QImage& page, int x, int y) { return page.pixelColor(67 + x, 72 + y) == QColor(0xFF, 0xF2, 0xCC); };
  EXPECT_TRUE(filled(first, 8 * column + 10, 210));
  EXPECT_TRUE(filled(second, column + 20, 210));
  EXPECT_GT(DarkPixels(first, 10 * column - 30, 204, 30, 14), 10) << "the text's first half";
  EXPECT_GT(DarkPixels(second, 0, 204, 30, 14), 10) << "its second half on the next page";
  EXPECT_EQ(DarkPixels(first, 10 * column + 4, 195, 40, 30), 0) << "nothing past the page's last column";
  EXPECT_EQ(DarkPixels(first, 9 * column - 6, 204, 12, 12), 0) << "no line between I5 and J5";
  EXPECT_GT(DarkPixels(second, 2 * column - 3, 204, 3, 12), 20) << "the area's right line on the second page";
}

TEST_F(SheetPrintingTest, TheWholeWorkbookPrintsEachVisibleSheetFromANewPage) {
  OpenMarket();
  xl.obj("Worksheets", "收益法计算表2").put("Visible", false);
  int pages = 0;
  for (int i = 1; i <= xl.obj("Worksheets").get("Count").toInt32(); ++i) {
    const Object sheet = xl.obj("Worksheets", i);
    if (sheet.get("Visible").toInt32() == 0) continue;
    sheet.call("Activate");
    pages += PdfPages(Pdf(std::to_string(i) + ".pdf"));
  }
  const std::string whole = Pdf("工作簿.pdf", true);
  EXPECT_EQ(PdfPages(whole), pages);
  const std::string text = PdfText(whole, 1, pages);
  EXPECT_TRUE(Has(text, "估价项目基本信息"));
  EXPECT_TRUE(Has(text, "市场比较法计算表"));
  EXPECT_FALSE(Has(text, "按月租金的倍数计")) << "a hidden sheet does not print";
}

TEST_F(SheetPrintingTest, NothingToPrintWritesNoFileAndTheWindowSaysSo) {
  xl.obj("Workbooks").call("Add");
  EXPECT_FALSE(WritePdf(app->activeBook(), true, Path("空.pdf")));
  EXPECT_FALSE(std::filesystem::exists(Path("空.pdf")));

  SaveAs("PDF - 活动工作表 (*.pdf)", "空.pdf");
  ASSERT_NE(Box(), nullptr);
  EXPECT_EQ(Box()->text(), "没有可打印的内容。");
  EXPECT_FALSE(std::filesystem::exists(Path("空.pdf")));
}

TEST_F(SheetPrintingTest, SaveAsWritesThePdfOfTheSheetOrTheWorkbookAndTheWorkbookStaysAsItWas) {
  OpenMarket();
  xl.obj("Worksheets", "参数").obj("Range", "B3").put("Value", "QV-2026-017");
  xl.obj("Worksheets", "市场法计算表").call("Activate");
  SaveAs("PDF - 活动工作表 (*.pdf)", "工作表");
  EXPECT_EQ(PdfPages(Path("工作表.pdf")), 3) << "the type's extension is added";
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "市场法1") << "a PDF is an export";
  EXPECT_TRUE(app->activeBook()->path.empty());
  EXPECT_FALSE(app->activeBook()->Saved()) << "its change is still to be saved";

  SaveAs("PDF - 整个工作簿 (*.pdf)", "工作簿.pdf");
  EXPECT_GT(PdfPages(Path("工作簿.pdf")), 3);
  EXPECT_TRUE(Has(PdfText(Path("工作簿.pdf"), 1, 1), "QV-2026-017")) << "from the first sheet, as it is now";
  EXPECT_EQ(Box(), nullptr);
}

TEST_F(SheetPrintingTest, PrintAndPreviewFromTheMenuShowTheActiveSheetsPages) {
  OpenMarket();
  xl.obj("Worksheets", "市场法计算表").call("Activate");
  auto* dialog = Chosen<QPrintDialog>("actionPrint", "printDialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  const std::string printed = Path("打印.pdf");
  testing::FillPrintDialog(*dialog, printed);
  dialog->accept();
  ASSERT_EQ(PdfPages(printed), 3);
  EXPECT_EQ(PdfText(printed, 1, 3), PdfText(Pdf("导出.pdf"), 1, 3));

  auto* preview = Chosen<QPrintPreviewDialog>("actionPrintPreview", "printPreview");
  ASSERT_NE(preview, nullptr);
  auto* pages = preview->findChild<QPrintPreviewWidget*>();
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->pageCount(), 3);
  pages->setViewMode(QPrintPreviewWidget::AllPagesView);
  preview->resize(1400, 700);
  QCoreApplication::processEvents();
  std::filesystem::create_directories(SCREENSHOT_DIR);
  ASSERT_TRUE(preview->grab().save(QString(SCREENSHOT_DIR) + "/excel_print_preview.png"));
  preview->reject();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Main()->findChild<QPrintPreviewDialog*>(), nullptr);

  xl.obj("ActiveWorkbook").call("Close", false);
  EXPECT_FALSE(Main()->findChild<QAction*>("actionPrint")->isEnabled()) << "no workbook, nothing to print";
}

}  // namespace
}  // namespace office::windows
