// The stand-in Excel's window against its object model: what the user does in the window reaches
// the model through automation, and what programs do shows in the window after Sync.
#include "platform/office/windows/excel/excel_windows.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/automation/dispatch.h"
#include "platform/office/excel/application.h"
#include "platform/office/windows/excel/sheet_grid.h"
#include "platform/runtime/testing/time_bound.h"

namespace office::windows {
namespace {

using automation::Object;
using automation::Variant;

const std::string kMarketTemplate = std::string(QORVANE_BIN_DIR) + "/市场法.xlt";

struct ExcelWindowTest : ::testing::Test {
  ExcelWindowTest() {
    dir = std::filesystem::temp_directory_path() /
          ("qv_excel_window_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    xl.put("Visible", true);
    windows = MakeExcelWindows(app, [this] { ++acted; });
    windows->Sync();
  }
  ~ExcelWindowTest() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QDialog*>(w)) box->reject();
    windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(dir);
  }

  QMainWindow* Main() const {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "XLMAIN") return qobject_cast<QMainWindow*>(w);
    return nullptr;
  }
  QTableView* Grid() const { return Main()->findChild<QTableView*>("grid"); }
  QTabBar* SheetTabs() const { return Main()->findChild<QTabBar*>("sheetTabs"); }
  QTabBar* BookTabs() const { return Main()->findChild<QTabBar*>("bookTabs"); }
  QLineEdit* NameBox() const { return Main()->findChild<QLineEdit*>("nameBox"); }
  QLineEdit* FormulaLine() const { return Main()->findChild<QLineEdit*>("formulaLine"); }
  QAction* Action(const char* name) const { return Main()->findChild<QAction*>(name); }
  // The text the grid shows in a cell ("E7").
  QString Shown(const std::string& address) const {
    const auto area = excel::ParseAreaText(address);
    return Grid()->model()->index(area->top - 1, area->left - 1).data().toString();
  }
  std::vector<QString> TabTexts(QTabBar* tabs) const {
    std::vector<QString> texts;
    for (int i = 0; i < tabs->count(); ++i) texts.push_back(tabs->tabText(i));
    return texts;
  }
  std::vector<QMessageBox*> Boxes() const {
    std::vector<QMessageBox*> boxes;
    for (QMessageBox* box : Main()->findChildren<QMessageBox*>())
      if (box->isVisible()) boxes.push_back(box);
    return boxes;
  }
  void OpenMarket() {
    xl.obj("Workbooks").call("Open", kMarketTemplate);
    windows->Sync();
  }
  Object Cell(const std::string& sheet, const std::string& address) const {
    return xl.obj("Worksheets", sheet).obj("Range", address);
  }
  // A moment of the event loop: deferred selections and deletions happen.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }

  std::shared_ptr<excel::ExcelApplication> app = std::make_shared<excel::ExcelApplication>();
  Object xl{app};
  std::unique_ptr<ApplicationWindows> windows;
  int acted = 0;
  std::filesystem::path dir;
};

TEST_F(ExcelWindowTest, TheMainWindowIsThereWhileTheApplicationRunsAndShownWhileVisible) {
  ASSERT_NE(Main(), nullptr);
  EXPECT_TRUE(Main()->isVisible());
  EXPECT_EQ(Main()->windowTitle(), "Excel");
  ASSERT_EQ(windows->Shown().size(), 1u);
  EXPECT_EQ(windows->Shown()[0], Main());

  OpenMarket();
  EXPECT_EQ(Main()->windowTitle(), "Excel - 市场法1");

  xl.put("Visible", false);
  windows->Sync();
  EXPECT_FALSE(Main()->isVisible());
  EXPECT_TRUE(windows->Shown().empty());
  xl.put("Visible", true);
  windows->Sync();
  EXPECT_TRUE(Main()->isVisible());
  EXPECT_EQ(Main()->windowTitle(), "Excel - 市场法1");
}

TEST_F(ExcelWindowTest, TextTypedIntoTheGridIsTheCellsValue) {
  OpenMarket();
  ASSERT_EQ(xl.obj("ActiveSheet").get("Name").toText(), "参数");
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  EXPECT_EQ(Cell("参数", "E7").get("Value"), Variant("张三"));
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$E$7");
  EXPECT_EQ(Shown("E7"), "张三");
  EXPECT_GT(acted, 0);

  // A number text becomes a number, as Range.Value = text makes it.
  ASSERT_TRUE(windows->Perform({"type", "B11", "1,234.5"}));
  EXPECT_EQ(Cell("参数", "B11").get("Value"), Variant(1234.5));
  EXPECT_EQ(Shown("B11"), "1234.5");
}

TEST_F(ExcelWindowTest, KeysTypedIntoACellGoThroughTheEditor) {
  OpenMarket();
  Main()->activateWindow();
  Grid()->setFocus();
  ASSERT_TRUE(windows->Perform({"select", "E8"}));
  // A key that brings text, as an input method gives Chinese (QTest types ASCII only).
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "京房权证");
  QApplication::sendEvent(Grid(), &typed);
  auto* editor = Grid()->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "123");
  QTest::keyClick(editor, Qt::Key_Return);
  Settle();
  EXPECT_EQ(Cell("参数", "E8").get("Value"), Variant("京房权证123"));
  // Enter moves down a row, as in Excel.
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$E$9");
  EXPECT_EQ(NameBox()->text(), "E9");
}

TEST_F(ExcelWindowTest, AFormulaTypedShowsItsComputedValue) {
  xl.obj("Workbooks").call("Add");
  windows->Sync();
  ASSERT_TRUE(windows->Perform({"type", "A1", "4"}));
  ASSERT_TRUE(windows->Perform({"type", "B1", "=A1*2.5+1"}));
  const Object sheet = xl.obj("ActiveSheet");
  EXPECT_EQ(sheet.obj("Range", "B1").get("Value"), Variant(11.0));
  EXPECT_EQ(sheet.obj("Range", "B1").get("Formula").toText(), "=A1*2.5+1");
  EXPECT_EQ(Shown("B1"), "11");
  windows->Sync();
  EXPECT_EQ(NameBox()->text(), "B1");
  EXPECT_EQ(FormulaLine()->text(), "=A1*2.5+1");

  // Changing the cell it reads changes what it shows.
  ASSERT_TRUE(windows->Perform({"type", "A1", "2"}));
  EXPECT_EQ(Shown("B1"), "6");
}

TEST_F(ExcelWindowTest, TheFormulaBarWritesTheActiveCell) {
  xl.obj("Workbooks").call("Add");
  windows->Sync();
  ASSERT_TRUE(windows->Perform({"select", "C2"}));
  FormulaLine()->setFocus();
  FormulaLine()->selectAll();
  QTest::keyClicks(FormulaLine(), "=1+2");
  QTest::keyClick(FormulaLine(), Qt::Key_Return);
  const Object c2 = xl.obj("ActiveSheet").obj("Range", "C2");
  EXPECT_EQ(c2.get("Value"), Variant(3.0));
  EXPECT_EQ(c2.get("Formula").toText(), "=1+2");
  EXPECT_EQ(Shown("C2"), "3");
}

TEST_F(ExcelWindowTest, EveryRowHiddenAndALongTextShowWithoutDelay) {
  const auto started = std::chrono::steady_clock::now();
  const Object sheet = xl.obj("Workbooks").call("Add").toObject().obj("Worksheets", 1);
  sheet.obj("Range", "B2").put("Value", std::string(32767, 'x'));
  windows->Sync();
  QCoreApplication::processEvents();
  EXPECT_EQ(Shown("B2").size(), 1024) << "a cell shows the first 1024 characters, as Excel does";
  sheet.obj("Rows", "1:1048576").put("Hidden", true);
  windows->Sync();
  QCoreApplication::processEvents();
  EXPECT_TRUE(Grid()->isRowHidden(1048575));
  sheet.obj("Rows", "1:1048576").put("Hidden", false);
  windows->Sync();
  EXPECT_FALSE(Grid()->isRowHidden(0));
  EXPECT_LT(std::chrono::steady_clock::now() - started, runtime::testing::Within(std::chrono::seconds(5)));
}

TEST_F(ExcelWindowTest, AProgramsWriteShowsAfterSync) {
  OpenMarket();
  windows->Sync();
  EXPECT_EQ(Shown("E3"), "");
  Cell("参数", "E3").put("Value", "某某银行");
  Cell("参数", "B11").put("Value", 98.765);
  windows->Sync();
  EXPECT_EQ(Shown("E3"), "某某银行");
  EXPECT_EQ(Shown("B11"), QString::fromStdString(Cell("参数", "B11").get("Text").toText()));
}

TEST_F(ExcelWindowTest, EveryCellShowsWhatRangeTextGives) {
  OpenMarket();
  Cell("参数", "B11").put("Value", 120.456);
  for (const char* sheet : {"参数", "市场法计算表", "估价结果汇总表"}) {
    Object ws;
    try {
      ws = xl.obj("Worksheets", sheet);
    } catch (const runtime::Error&) {
      continue;  // not in this workbook
    }
    ws.call("Activate");
    windows->Sync();
    int compared = 0;
    for (int row = 1; row <= 40; ++row)
      for (int column = 1; column <= 10; ++column) {
        const Object cell = ws.obj("Cells", row, column);
        const std::string text = cell.get("Text").toText();
        ASSERT_EQ(Grid()->model()->index(row - 1, column - 1).data().toString().toStdString(), text)
            << sheet << " " << cell.get("Address").toText();
        compared += text.empty() ? 0 : 1;
      }
    EXPECT_GT(compared, 5) << sheet;
  }
}

TEST_F(ExcelWindowTest, ALockedCellOfAProtectedSheetIsRefusedWithABox) {
  OpenMarket();
  ASSERT_TRUE(xl.obj("ActiveSheet").get("ProtectContents").toBool());
  const Variant before = Cell("参数", "A7").get("Value");
  ASSERT_TRUE(windows->Perform({"type", "A7", "改名"}));
  EXPECT_EQ(Cell("参数", "A7").get("Value"), before);
  EXPECT_EQ(Shown("A7"), QString::fromStdString(before.toText()));
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]->text().toStdString(),
            "您试图更改的单元格或图表位于受保护的工作表中。若要进行更改，请取消工作表保护。您可能需要输入密码。");
  EXPECT_EQ(boxes[0]->windowModality(), Qt::WindowModal);
  boxes[0]->accept();
  Settle();
  EXPECT_TRUE(Boxes().empty());

  // An unlocked cell of the same sheet takes the text.
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  EXPECT_EQ(Cell("参数", "E7").get("Value"), Variant("张三"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ExcelWindowTest, TypingIntoALockedCellIsRefusedBeforeTheEditorOpens) {
  OpenMarket();
  Main()->activateWindow();
  Grid()->setFocus();
  ASSERT_TRUE(windows->Perform({"select", "A7"}));
  QTest::keyClick(Grid(), Qt::Key_X);
  Settle();
  EXPECT_EQ(Grid()->viewport()->findChild<QLineEdit*>(), nullptr);
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0]->text().startsWith("您试图更改的单元格或图表位于受保护的工作表中。"));
  boxes[0]->accept();
  Settle();
  ASSERT_TRUE(windows->Perform({"select", "E7"}));
  QTest::keyClick(Grid(), Qt::Key_X);
  EXPECT_NE(Grid()->viewport()->findChild<QLineEdit*>(), nullptr) << "an unlocked cell opens its editor";
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ExcelWindowTest, AFormulaThatDoesNotParseIsRefusedWithABox) {
  xl.obj("Workbooks").call("Add");
  windows->Sync();
  ASSERT_TRUE(windows->Perform({"type", "A1", "5"}));
  ASSERT_TRUE(windows->Perform({"type", "A1", "=SUM(1,"}));
  EXPECT_EQ(xl.obj("ActiveSheet").obj("Range", "A1").get("Value"), Variant(5.0));
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0]->text().startsWith("此公式有问题。")) << boxes[0]->text().toStdString();
}

TEST_F(ExcelWindowTest, SelectingInTheGridIsRangeSelect) {
  OpenMarket();
  ASSERT_TRUE(windows->Perform({"select", "B3:C4"}));
  EXPECT_EQ(xl.obj("Selection").get("Address").toText(), "$B$3:$C$4");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$B$3");
  EXPECT_EQ(NameBox()->text(), "B3");

  // An address typed into the name box goes there.
  NameBox()->setText("D12");
  QTest::keyClick(NameBox(), Qt::Key_Return);
  EXPECT_EQ(xl.obj("Selection").get("Address").toText(), "$D$12");
  EXPECT_EQ(Grid()->currentIndex(), Grid()->model()->index(11, 3));

  // A click on a cell, as the mouse makes it.
  QTableView* grid = Grid();
  const QRect cell = grid->visualRect(grid->model()->index(6, 4));  // E7
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  Settle();
  EXPECT_EQ(xl.obj("Selection").get("Address").toText(), "$E$7");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$E$7");
  EXPECT_EQ(NameBox()->text(), "E7");

  // A drag from B5 to D6.
  const QPoint from = grid->visualRect(grid->model()->index(4, 1)).center();
  const QPoint to = grid->visualRect(grid->model()->index(5, 3)).center();
  QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, to, grid->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &move);
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, to);
  Settle();
  EXPECT_EQ(xl.obj("Selection").get("Address").toText(), "$B$5:$D$6");
  EXPECT_EQ(xl.obj("ActiveCell").get("Address").toText(), "$B$5");
}

TEST_F(ExcelWindowTest, AProgramsSelectMovesTheGridsCurrentCellIntoView) {
  OpenMarket();
  Cell("参数", "E7").put("Value", "张三");
  xl.obj("Worksheets", "参数").obj("Range", "E7").call("Select");
  windows->Sync();
  EXPECT_EQ(Grid()->currentIndex(), Grid()->model()->index(6, 4));
  EXPECT_TRUE(Grid()->selectionModel()->isSelected(Grid()->model()->index(6, 4)));
  EXPECT_EQ(NameBox()->text(), "E7");
  EXPECT_EQ(FormulaLine()->text(), "张三");

  // Far down: the grid scrolls to it.
  xl.obj("Worksheets", "参数").obj("Range", "C500:D501").call("Select");
  windows->Sync();
  const QModelIndex c500 = Grid()->model()->index(499, 2);
  EXPECT_EQ(Grid()->currentIndex(), c500);
  EXPECT_TRUE(Grid()->selectionModel()->isSelected(Grid()->model()->index(500, 3)));
  EXPECT_FALSE(Grid()->selectionModel()->isSelected(Grid()->model()->index(6, 4)));
  EXPECT_TRUE(Grid()->viewport()->rect().intersects(Grid()->visualRect(c500)));
  EXPECT_EQ(NameBox()->text(), "C500");
}

TEST_F(ExcelWindowTest, HiddenSheetsHaveNoTabAndATabClickActivatesItsSheet) {
  OpenMarket();
  const auto visibleSheets = [this] {
    std::vector<QString> names;
    const Object sheets = xl.obj("ActiveWorkbook").obj("Worksheets");
    for (int i = 1; i <= sheets.get("Count").toInt32(); ++i) {
      const Object s = sheets.obj("Item", i);
      if (s.get("Visible").toInt32() == -1) names.push_back(QString::fromStdString(s.get("Name").toText()));
    }
    return names;
  };
  EXPECT_EQ(TabTexts(SheetTabs()), visibleSheets());
  EXPECT_EQ(SheetTabs()->tabText(SheetTabs()->currentIndex()), "参数");

  ASSERT_TRUE(windows->Perform({"sheet", "市场法计算表"}));
  EXPECT_EQ(xl.obj("ActiveSheet").get("Name").toText(), "市场法计算表");
  EXPECT_EQ(SheetTabs()->tabText(SheetTabs()->currentIndex()), "市场法计算表");
  EXPECT_FALSE(windows->Perform({"sheet", "没有这张表"}));

  // A sheet a program hides, or hides very, loses its tab; the sheet it activates is the current tab.
  const int before = SheetTabs()->count();
  xl.obj("Worksheets", "市场").put("Visible", false);
  xl.obj("Worksheets", "收益").put("Visible", 2);
  xl.obj("Worksheets", "参数").call("Activate");
  windows->Sync();
  EXPECT_EQ(SheetTabs()->count(), before - 2);
  EXPECT_EQ(TabTexts(SheetTabs()), visibleSheets());
  EXPECT_EQ(SheetTabs()->tabText(SheetTabs()->currentIndex()), "参数");
  EXPECT_FALSE(windows->Perform({"sheet", "市场"}));
  EXPECT_FALSE(windows->Perform({"sheet", "收益"}));
}

TEST_F(ExcelWindowTest, TheDeleteKeyClearsTheSelectionUnlessItIsProtected) {
  OpenMarket();
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  ASSERT_TRUE(windows->Perform({"type", "E8", "证号"}));
  ASSERT_TRUE(windows->Perform({"select", "E7:E8"}));
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_TRUE(Cell("参数", "E7").get("Value").isEmpty());
  EXPECT_TRUE(Cell("参数", "E8").get("Value").isEmpty());
  EXPECT_EQ(Shown("E7"), "");
  EXPECT_TRUE(Boxes().empty());

  ASSERT_TRUE(windows->Perform({"select", "A7"}));
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_EQ(Cell("参数", "A7").get("Value"), Variant("估价对象名称"));
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(ExcelWindowTest, ASheetAProgramActivatesIsTheGridsSheet) {
  OpenMarket();
  Grid()->edit(Grid()->model()->index(6, 4));  // the user is typing into E7 of 参数 ...
  auto* editor = Grid()->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("半截");
  xl.obj("Worksheets", "市场法计算表").call("Activate");  // ... when a program changes the sheet
  windows->Sync();
  EXPECT_EQ(SheetTabs()->tabText(SheetTabs()->currentIndex()), "市场法计算表");
  EXPECT_EQ(Shown("A1"), QString::fromStdString(Cell("市场法计算表", "A1").get("Text").toText()));
  Settle();
  // The half-typed text went nowhere.
  EXPECT_TRUE(Cell("参数", "E7").get("Value").isEmpty());
  EXPECT_TRUE(Cell("市场法计算表", "E7").get("Value") != Variant("半截"));
}

TEST_F(ExcelWindowTest, HiddenRowsAreHiddenAndColumnsHaveTheirWidths) {
  xl.obj("Workbooks").call("Add");
  const Object sheet = xl.obj("ActiveSheet");
  sheet.obj("Rows", "3:5").put("Hidden", true);
  sheet.obj("Columns", "B").put("ColumnWidth", 20);
  sheet.obj("Columns", "D").put("ColumnWidth", 0);
  windows->Sync();
  EXPECT_FALSE(Grid()->isRowHidden(1));
  EXPECT_TRUE(Grid()->isRowHidden(2));
  EXPECT_TRUE(Grid()->isRowHidden(4));
  EXPECT_FALSE(Grid()->isRowHidden(5));
  EXPECT_EQ(Grid()->columnWidth(0), 64);
  EXPECT_EQ(Grid()->columnWidth(1), 145);
  EXPECT_TRUE(Grid()->isColumnHidden(3));

  sheet.obj("Rows", "4:4").put("Hidden", false);
  sheet.obj("Columns", "B").put("ColumnWidth", excel::kStandardColumnWidth);
  sheet.obj("Columns", "D").put("ColumnWidth", 5);
  windows->Sync();
  EXPECT_TRUE(Grid()->isRowHidden(2));
  EXPECT_FALSE(Grid()->isRowHidden(3));
  EXPECT_EQ(Grid()->columnWidth(1), 64);
  EXPECT_FALSE(Grid()->isColumnHidden(3));
  EXPECT_EQ(Grid()->columnWidth(3), 40);
}

TEST_F(ExcelWindowTest, TheMarketSheetsTemplateBlockRowsAreHidden) {
  OpenMarket();
  xl.obj("Worksheets", "市场法计算表").call("Activate");
  windows->Sync();
  int hidden = 0;
  for (int row = 1; row <= 120; ++row) {
    const bool isHidden = xl.obj("ActiveSheet").obj("Rows", row).get("Hidden").toBool();
    EXPECT_EQ(Grid()->isRowHidden(row - 1), isHidden) << row;
    hidden += isHidden ? 1 : 0;
  }
  EXPECT_GT(hidden, 0);
  EXPECT_EQ(Grid()->columnWidth(0), excel_window::ColumnPixels(xl.obj("ActiveSheet").obj("Columns", "A").get("ColumnWidth").toDouble()));
}

TEST_F(ExcelWindowTest, TheWorkbookTabsChooseTheActiveWorkbook) {
  OpenMarket();
  xl.obj("Workbooks").call("Add");
  windows->Sync();
  EXPECT_EQ(TabTexts(BookTabs()), (std::vector<QString>{"市场法1", "工作簿1"}));
  EXPECT_EQ(BookTabs()->currentIndex(), 1);
  EXPECT_EQ(Main()->windowTitle(), "Excel - 工作簿1");
  ASSERT_TRUE(windows->Perform({"book", "市场法1"}));
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "市场法1");
  EXPECT_EQ(Main()->windowTitle(), "Excel - 市场法1");
  EXPECT_EQ(SheetTabs()->tabText(SheetTabs()->currentIndex()), "参数");
}

TEST_F(ExcelWindowTest, OpeningATemplateThroughTheMenuMakesANewWorkbook) {
  const int before = acted;
  Action("actionOpen")->trigger();
  auto* dialog = Main()->findChild<QFileDialog*>("xlOpenDialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  dialog->selectFile(QString::fromStdString(kMarketTemplate));
  static_cast<QDialog*>(dialog)->accept();
  Settle();
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 1);
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "市场法1");
  EXPECT_EQ(xl.obj("ActiveWorkbook").obj("Worksheets", 1).get("Name").toText(), "参数");
  EXPECT_EQ(Main()->windowTitle(), "Excel - 市场法1");
  EXPECT_EQ(SheetTabs()->tabText(SheetTabs()->currentIndex()), "参数");
  EXPECT_GT(acted, before);
}

TEST_F(ExcelWindowTest, OpeningAFileThatIsNoWorkbookShowsWhy) {
  const std::string path = (dir / "说明.xls").string();
  std::ofstream(path) << "not a workbook";
  Action("actionOpen")->trigger();
  auto* dialog = Main()->findChild<QFileDialog*>("xlOpenDialog");
  ASSERT_NE(dialog, nullptr);
  dialog->selectFile(QString::fromStdString(path));
  static_cast<QDialog*>(dialog)->accept();
  Settle();
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(ExcelWindowTest, SaveAsAndCloseFromTheMenu) {
  OpenMarket();
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  Action("actionSaveAs")->trigger();
  auto* dialog = Main()->findChild<QFileDialog*>("xlSaveAsDialog");
  ASSERT_NE(dialog, nullptr);
  const std::string path = (dir / "项目.xls").string();
  dialog->selectFile(QString::fromStdString(path));
  static_cast<QDialog*>(dialog)->accept();
  Settle();
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(xl.obj("ActiveWorkbook").get("Name").toText(), "项目.xls");
  EXPECT_EQ(Main()->windowTitle(), "Excel - 项目.xls");

  Action("actionClose")->trigger();
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_EQ(Main()->windowTitle(), "Excel");
  EXPECT_FALSE(Action("actionSaveAs")->isEnabled());
  EXPECT_FALSE(app->hasQuit());

  // The saved workbook opens again with what was typed.
  xl.obj("Workbooks").call("Open", path);
  windows->Sync();
  EXPECT_EQ(Shown("E7"), "张三");
}

QMessageBox* SaveQuestion(QMainWindow* main) {
  for (QMessageBox* box : main->findChildren<QMessageBox*>("saveQuestion"))
    if (box->isVisible()) return box;
  return nullptr;
}

void Answer(QMessageBox* box, const char* button) {
  box->findChild<QPushButton*>(button)->click();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

TEST_F(ExcelWindowTest, ClosingAChangedWorkbookAsksFirst) {
  OpenMarket();
  Action("actionClose")->trigger();
  EXPECT_EQ(SaveQuestion(Main()), nullptr) << "unchanged: closed at once";
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);

  OpenMarket();
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  Action("actionClose")->trigger();
  QMessageBox* box = SaveQuestion(Main());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), "是否保存对“市场法2”的更改？");
  std::filesystem::create_directories(SCREENSHOT_DIR);
  EXPECT_TRUE(box->grab().save(QString::fromStdString(std::string(SCREENSHOT_DIR) + "/excel_save_question.png"), "PNG"));
  Answer(box, "cancel");
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 1) << "取消 keeps it open";

  Action("actionClose")->trigger();
  Answer(SaveQuestion(Main()), "save");
  auto* dialog = Main()->findChild<QFileDialog*>("xlSaveAsDialog");
  ASSERT_NE(dialog, nullptr) << "a new workbook asks for a name";
  const std::string path = (dir / "项目.xlsx").string();
  emit dialog->fileSelected(QString::fromStdString(path));  // the user's choice of a name
  dialog->close();
  Settle();
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0) << "saved, then closed";
  ASSERT_TRUE(std::filesystem::exists(path));
  const Object saved = xl.obj("Workbooks").call("Open", path).toObject();
  windows->Sync();
  EXPECT_EQ(Shown("E7"), "张三");

  ASSERT_TRUE(windows->Perform({"type", "E7", "李四"}));
  Action("actionSave")->trigger();
  EXPECT_EQ(Main()->findChild<QFileDialog*>("xlSaveAsDialog"), nullptr) << "保存 writes its own file";
  EXPECT_TRUE(saved.get("Saved").toBool());
  ASSERT_TRUE(windows->Perform({"type", "E7", "王五"}));
  Action("actionClose")->trigger();
  Answer(SaveQuestion(Main()), "dontSave");
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
  windows->Sync();
  xl.obj("Workbooks").call("Open", path);
  windows->Sync();
  EXPECT_EQ(Shown("E7"), "李四") << "不保存 dropped the last change";
}

TEST_F(ExcelWindowTest, QuittingWithChangedWorkbooksAsksForEach) {
  OpenMarket();
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  OpenMarket();
  ASSERT_TRUE(windows->Perform({"type", "E7", "李四"}));
  Main()->close();
  EXPECT_FALSE(app->hasQuit());
  Answer(SaveQuestion(Main()), "cancel");
  EXPECT_FALSE(app->hasQuit());
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 2);
  Action("actionQuit")->trigger();
  Answer(SaveQuestion(Main()), "dontSave");
  EXPECT_FALSE(app->hasQuit());
  Answer(SaveQuestion(Main()), "dontSave");
  EXPECT_TRUE(app->hasQuit());
}

TEST_F(ExcelWindowTest, CloseWithSaveChangesGivenDoesNotAsk) {
  OpenMarket();
  ASSERT_TRUE(windows->Perform({"type", "E7", "张三"}));
  xl.obj("ActiveWorkbook").call("Close", false);
  windows->Sync();
  Settle();
  EXPECT_EQ(SaveQuestion(Main()), nullptr);
  EXPECT_EQ(xl.obj("Workbooks").get("Count").toInt32(), 0);
}

TEST_F(ExcelWindowTest, ClosingTheMainWindowQuitsTheApplication) {
  OpenMarket();
  Main()->close();
  EXPECT_TRUE(app->hasQuit());
  Settle();
  EXPECT_GT(acted, 0);
  windows->Sync();
  EXPECT_FALSE(Main()->isVisible());
  EXPECT_TRUE(windows->Shown().empty());
  EXPECT_FALSE(windows->Perform({"type", "E7", "x"}));
}

TEST_F(ExcelWindowTest, ExitFromTheMenuQuitsTheApplication) {
  Action("actionQuit")->trigger();
  EXPECT_TRUE(app->hasQuit());
  Settle();
  EXPECT_GT(acted, 0);
  EXPECT_FALSE(Main()->isVisible());
}

TEST_F(ExcelWindowTest, UnknownActionsAreRefused) {
  OpenMarket();
  EXPECT_FALSE(windows->Perform({}));
  EXPECT_FALSE(windows->Perform({"dance"}));
  EXPECT_FALSE(windows->Perform({"type", "E7"}));
  EXPECT_FALSE(windows->Perform({"select", "not a range"}));
}

// Sync reads only what is on screen: a sheet of a hundred thousand filled rows costs no more.
TEST_F(ExcelWindowTest, SyncStaysCheapOnALargeSheet) {
  xl.obj("Workbooks").call("Add");
  const Object sheet = xl.obj("ActiveSheet");
  sheet.obj("Range", "A1:A100000").put("Value", "=ROW()*2");
  sheet.obj("Range", "B1:B100000").put("Value", 7);
  sheet.obj("Rows", "50:60").put("Hidden", true);
  windows->Sync();
  qint64 syncing = 0;
  for (int i = 0; i < 10; ++i) {
    sheet.obj("Range", "B2").put("Value", i);
    QElapsedTimer timer;
    timer.start();
    windows->Sync();
    syncing += timer.nsecsElapsed();
  }
  RecordProperty("sync_microseconds", static_cast<int>(syncing / 10 / 1000));
  EXPECT_LT(syncing / 10, 100'000'000) << "a Sync takes " << syncing / 10 / 1000 << " µs";
  EXPECT_EQ(Shown("A3"), "6");
  EXPECT_EQ(Shown("B2"), "9");
  sheet.obj("Range", "A99990").call("Select");
  windows->Sync();
  EXPECT_EQ(Shown("A99990"), "199980");
}

TEST_F(ExcelWindowTest, ScreenshotOfTheMarketWorkbooksParameterSheet) {
  OpenMarket();
  for (const auto& [cell, text] : std::vector<std::pair<std::string, std::string>>{
           {"B3", "QV-2026-017"}, {"E3", "某某银行股份有限公司"}, {"B7", "幸福里小区3号楼2单元501室"},
           {"E7", "张三"}, {"B11", "89.56"}, {"E10", "2008"}})
    ASSERT_TRUE(windows->Perform({"type", cell, text}));
  ASSERT_TRUE(windows->Perform({"select", "E7"}));
  windows->Sync();
  Main()->resize(1280, 800);
  Settle();
  std::filesystem::create_directories(SCREENSHOT_DIR);
  const std::string path = std::string(SCREENSHOT_DIR) + "/excel_market_parameters.png";
  ASSERT_TRUE(Main()->grab().save(QString::fromStdString(path), "PNG"));
  EXPECT_TRUE(std::filesystem::file_size(path) > 10000);
}

}  // namespace
}  // namespace office::windows

