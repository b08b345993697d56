// A spreadsheet user's habits in the stand-in Excel's window, each through the keys and the mouse:
// copy, cut and paste, also with other programs; undo and redo; Tab, Ctrl+End and Shift+arrows;
// column widths dragged; the refusals of a protected sheet.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/office/excel/application.h"
#include "platform/office/windows/excel/column_drag.h"
#include "platform/office/windows/excel/excel_windows.h"
#include "platform/office/windows/excel/sheet_grid.h"

namespace office::windows {
namespace {

using automation::Object;
using automation::Variant;

constexpr const char* kProtected = "您试图更改的单元格或图表位于受保护的工作表中。若要进行更改，请取消工作表保护。您可能需要输入密码。";

struct GridHabitsTest : ::testing::Test {
  GridHabitsTest() {
    xl.put("Visible", true);
    windows = MakeExcelWindows(app, [] {});
    windows->Sync();
  }
  ~GridHabitsTest() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QDialog*>(w)) box->reject();
    windows.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QMainWindow* Main() const {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "XLMAIN") return qobject_cast<QMainWindow*>(w);
    return nullptr;
  }
  QTableView* Grid() const { return Main()->findChild<QTableView*>("grid"); }
  // A new workbook, or the market template's, with the grid focused.
  Object NewBook() {
    xl.obj("Workbooks").call("Add");
    return Ready();
  }
  Object OpenMarket() {
    xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/市场法.xlt");
    return Ready();
  }
  Object Ready() {
    windows->Sync();
    Main()->activateWindow();
    Grid()->setFocus();
    return xl.obj("ActiveSheet");
  }
  void Select(const std::string& address) { ASSERT_TRUE(windows->Perform({"select", address})); }
  void Type(const std::string& address, const std::string& text) { ASSERT_TRUE(windows->Perform({"type", address, text})); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Grid(), key, modifiers);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  std::string Address(const char* what) const { return xl.obj(what).get("Address").toText(); }
  Variant Value(const Object& sheet, const std::string& address) const { return sheet.obj("Range", address).get("Value"); }
  std::string Formula(const Object& sheet, const std::string& address) const { return sheet.obj("Range", address).get("Formula").toText(); }
  // The one message box shown, its text; it is closed.
  QString TakeMessage() {
    QString text;
    int shown = 0;
    for (QMessageBox* box : Main()->findChildren<QMessageBox*>())
      if (box->isVisible()) {
        text = box->text();
        ++shown;
        box->accept();
      }
    QCoreApplication::processEvents();
    return shown == 1 ? text : QString("%1 boxes").arg(shown);
  }

  std::shared_ptr<excel::ExcelApplication> app = std::make_shared<excel::ExcelApplication>();
  Object xl{app};
  std::unique_ptr<ApplicationWindows> windows;
};

TEST_F(GridHabitsTest, CopiedCellsPasteWithTheirFormulasAndGoToOtherProgramsAsText) {
  const Object sheet = NewBook();
  Type("A1", "4");
  Type("B1", "=A1*2");
  Select("A1:B1");
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "4\t8\r\n");
  EXPECT_EQ(xl.get("CutCopyMode"), Variant(std::int32_t{1}));

  Select("A3");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "A3"), Variant(4.0));
  EXPECT_EQ(Formula(sheet, "B3"), "=A3*2");
  EXPECT_EQ(Address("Selection"), "$A$3:$B$3") << "the pasted cells are selected";
  EXPECT_EQ(Grid()->model()->index(2, 1).data().toString(), "8");

  // A selection that holds the copy twice over gets it twice; the copy stays marked.
  Select("C5:D6");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Formula(sheet, "D6"), "=C6*2");
  EXPECT_EQ(Value(sheet, "C6"), Variant(4.0));
  // Overlapping its own cells, the copy pastes as it was copied.
  Select("B1");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "B1"), Variant(4.0));
  EXPECT_EQ(Formula(sheet, "C1"), "=B1*2");

  // A whole column pasted below its first row would leave the sheet.
  Select("A:A");
  Key(Qt::Key_C, Qt::ControlModifier);
  Select("E2");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(TakeMessage(), "Microsoft Excel 无法粘贴数据。");
  EXPECT_TRUE(Value(sheet, "E2").isEmpty());

  // Escape ends the mark; what is pasted then is the clipboard's text.
  Select("B1:C1");
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_Escape);
  EXPECT_EQ(xl.get("CutCopyMode"), Variant(false));
  Select("A9");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Formula(sheet, "B9"), "8");
}

TEST_F(GridHabitsTest, CutCellsMoveAndTheFormulasThatReadThemFollow) {
  const Object sheet = NewBook();
  Type("A1", "5");
  Type("C1", "=A1+1");
  Select("A1");
  Key(Qt::Key_X, Qt::ControlModifier);
  Select("D4");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(Value(sheet, "A1").isEmpty());
  EXPECT_EQ(Value(sheet, "D4"), Variant(5.0));
  EXPECT_EQ(Formula(sheet, "C1"), "=D4+1");
  EXPECT_EQ(xl.get("CutCopyMode"), Variant(false)) << "a cut pastes once";

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "A1"), Variant(5.0));
  EXPECT_TRUE(Value(sheet, "D4").isEmpty());
  EXPECT_EQ(Formula(sheet, "C1"), "=A1+1");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Formula(sheet, "C1"), "=D4+1");
  EXPECT_EQ(Value(sheet, "C1"), Variant(6.0));
}

TEST_F(GridHabitsTest, TextFromAnotherProgramIsTypedIntoTheCellsAndABadFormulaPastesNothing) {
  const Object sheet = NewBook();
  QGuiApplication::clipboard()->setText("名称\t面积\r\n幸福里\t89.56\r\n合计\t=C3*2\r\n");
  Select("B2");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "B2"), Variant("名称"));
  EXPECT_EQ(Value(sheet, "C3"), Variant(89.56));
  EXPECT_EQ(Value(sheet, "C4"), Variant(179.12));
  EXPECT_EQ(Address("Selection"), "$B$2:$C$4");
  std::filesystem::create_directories(SCREENSHOT_DIR);
  EXPECT_TRUE(Main()->grab().save(SCREENSHOT_DIR "/excel_pasted_text.png", "PNG"));

  QGuiApplication::clipboard()->setText("新\t=SUM(1,\r\n");
  Select("B2");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(TakeMessage().startsWith("此公式有问题。"));
  EXPECT_EQ(Value(sheet, "B2"), Variant("名称")) << "the paste is refused whole";
  EXPECT_EQ(Value(sheet, "C2"), Variant("面积"));
}

TEST_F(GridHabitsTest, AProtectedSheetRefusesPastesAndCutsOfLockedCellsAtOnce) {
  const Object sheet = OpenMarket();
  ASSERT_TRUE(sheet.get("ProtectContents").toBool());
  const Variant label = Value(sheet, "A7");
  Type("E7", "张三");
  Select("E7");
  Key(Qt::Key_C, Qt::ControlModifier);
  Select("A7");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(TakeMessage(), kProtected);
  EXPECT_EQ(Value(sheet, "A7"), label);

  // Text over input cells and a locked one: none of them changes.
  QGuiApplication::clipboard()->setText("甲\t乙\t丙\t丁\r\n");
  Select("B7");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(TakeMessage(), kProtected);
  EXPECT_TRUE(Value(sheet, "B7").isEmpty());
  EXPECT_EQ(Value(sheet, "E7"), Variant("张三"));

  Key(Qt::Key_Escape);
  Select("A7");
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(TakeMessage(), kProtected);
  EXPECT_EQ(xl.get("CutCopyMode"), Variant(false));

  // The formula line refuses a locked cell at the first key, as the grid does.
  auto* line = Main()->findChild<QLineEdit*>("formulaLine");
  line->setFocus();
  QTest::keyClick(line, Qt::Key_X);
  EXPECT_EQ(TakeMessage(), kProtected);
  EXPECT_EQ(line->text().toStdString(), label.toText());
  QTest::keyClick(line, Qt::Key_Return);
  EXPECT_EQ(Value(sheet, "A7"), label);
  EXPECT_EQ(TakeMessage(), "0 boxes");
}

TEST_F(GridHabitsTest, TheUsersEditsAreUndoneAndRedoneUntilAProgramChangesTheWorkbook) {
  const Object sheet = OpenMarket();
  Type("E7", "张三");
  Type("E7", "李四");
  Select("E8");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "E7"), Variant("张三"));
  EXPECT_EQ(Address("ActiveCell"), "$E$7") << "the undone cell is selected";
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Value(sheet, "E7").isEmpty());
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "E7"), Variant("张三"));
  EXPECT_EQ(Grid()->model()->index(6, 4).data().toString(), "张三");
  Key(Qt::Key_Delete);
  EXPECT_TRUE(Value(sheet, "E7").isEmpty());
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "E7"), Variant("张三"));

  sheet.obj("Range", "E3").put("Value", "某某银行");  // a program's write
  windows->Sync();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Value(sheet, "E7"), Variant("张三")) << "nothing left to undo";
  EXPECT_EQ(Value(sheet, "E3"), Variant("某某银行"));
  Type("E8", "证号");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Value(sheet, "E8").isEmpty()) << "the user's next edit is undoable again";
}

TEST_F(GridHabitsTest, TabCtrlEndAndShiftArrowsMoveAsInExcel) {
  const Object sheet = NewBook();
  sheet.obj("Columns", "C").put("ColumnWidth", 0);
  sheet.obj("Range", "B2").put("Value", 1);
  sheet.obj("Range", "F9").put("Value", 1);
  sheet.obj("Range", "H4").put("Value", 1);
  windows->Sync();
  Select("B2");
  Key(Qt::Key_Tab);
  EXPECT_EQ(Address("ActiveCell"), "$D$2") << "the hidden column is passed over";
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Address("ActiveCell"), "$B$2");
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Address("ActiveCell"), "$A$2") << "column A is the edge";

  // Typing ended by Tab writes the cell and moves right, with no editor open there.
  QTest::keyClicks(Grid(), "7");
  auto* editor = Grid()->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Tab);
  QCoreApplication::processEvents();
  EXPECT_EQ(Value(sheet, "A2"), Variant(7.0));
  EXPECT_EQ(Address("ActiveCell"), "$B$2");
  EXPECT_FALSE(static_cast<excel_window::SheetGrid*>(Grid())->Editing());

  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Address("ActiveCell"), "$H$9") << "the last row and the last column in use";
  sheet.obj("Rows", "8:9").put("Hidden", true);
  windows->Sync();
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Address("ActiveCell"), "$H$7") << "the last shown row, as a template's hidden block leaves it";

  Select("B2");
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Address("Selection"), "$B$2:$D$3");
  EXPECT_EQ(Address("ActiveCell"), "$B$2");
  Key(Qt::Key_Up, Qt::ShiftModifier);
  Key(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(Address("Selection"), "$B$1:$D$2") << "past the active cell it grows the other way";
  EXPECT_EQ(Address("ActiveCell"), "$B$2");
  Key(Qt::Key_Down);
  EXPECT_EQ(Address("Selection"), "$B$3") << "an arrow alone moves from the active cell";

  // A program's selection extends from its far corner.
  sheet.obj("Range", "E5:F6").call("Select");
  windows->Sync();
  Key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Address("Selection"), "$E$5:$G$6");
}

TEST_F(GridHabitsTest, TabAndEnterGoRoundASelectionOfSeveralCellsWhichStays) {
  const Object sheet = NewBook();
  sheet.obj("Columns", "C").put("ColumnWidth", 0);
  app->activeBook()->Sheet(app->activeBook()->activeSheet)->cells.Merge({3, 4, 3, 5});  // D3:E3
  windows->Sync();
  Select("B2:E3");
  std::vector<std::string> visited;
  for (int i = 0; i < 5; ++i) {
    Key(Qt::Key_Tab);
    visited.push_back(Address("ActiveCell"));
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"$D$2", "$E$2", "$B$3", "$D$3", "$B$2"}))
      << "row by row past the hidden column and the merged area's other cell, round to the first";
  EXPECT_EQ(Address("Selection"), "$B$2:$E$3");
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Address("ActiveCell"), "$D$3") << "Shift+Tab goes back round from the first to the last";

  visited.clear();
  for (int i = 0; i < 4; ++i) {
    Key(Qt::Key_Return);
    visited.push_back(Address("ActiveCell"));
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"$E$2", "$B$2", "$B$3", "$D$2"})) << "column by column";
  Key(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Address("ActiveCell"), "$B$3");
  EXPECT_EQ(Address("Selection"), "$B$2:$E$3");

  // Typing into the selection: each key writes the cell and goes on inside the selection.
  Select("A5:B6");
  const auto typeAndEnd = [&](const char* text, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClicks(Grid(), text);
    QLineEdit* editor = nullptr;  // the one open, not one closed before and not yet deleted
    for (auto* line : Grid()->viewport()->findChildren<QLineEdit*>())
      if (line->isVisible()) editor = line;
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, key, modifiers);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  };
  typeAndEnd("1", Qt::Key_Tab);
  typeAndEnd("2", Qt::Key_Tab);
  typeAndEnd("3", Qt::Key_Return);
  EXPECT_EQ(Address("ActiveCell"), "$B$5") << "Enter after A6 goes to the next column's top";
  typeAndEnd("4", Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(Address("ActiveCell"), "$A$6") << "Shift+Enter goes back to the column before";
  EXPECT_EQ(Value(sheet, "A5"), Variant(1.0));
  EXPECT_EQ(Value(sheet, "B5"), Variant(4.0)) << "typed over the 2 written first";
  EXPECT_EQ(Value(sheet, "A6"), Variant(3.0));
  EXPECT_TRUE(Value(sheet, "B6").isEmpty());
  EXPECT_EQ(Address("Selection"), "$A$5:$B$6");
  EXPECT_FALSE(static_cast<excel_window::SheetGrid*>(Grid())->Editing());

  // A shift-click keeps the active cell where the selection began: Tab goes on from there.
  Select("B8");
  const QPoint corner = Grid()->visualRect(Grid()->model()->index(8, 3)).center();  // D9
  QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, Qt::ShiftModifier, corner);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  ASSERT_EQ(Address("Selection"), "$B$8:$D$9");
  Key(Qt::Key_Tab);
  EXPECT_EQ(Address("ActiveCell"), "$D$8") << "from B8 past hidden C, not round from D9";

  // With one cell selected, Tab leaves the selection for the next cell, as before.
  Select("E5");
  Key(Qt::Key_Tab);
  EXPECT_EQ(Address("Selection"), "$F$5");
}

TEST_F(GridHabitsTest, AnEmptySheetsLastCellIsA1) {
  NewBook();
  Select("D4");
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Address("ActiveCell"), "$A$1");
}

// Drags the right border of a column's header by dx pixels.
void DragBorder(QHeaderView* header, int column, int dx) {
  const QPoint from(header->sectionViewportPosition(column) + header->sectionSize(column) - 1, header->height() / 2);
  const QPoint to = from + QPoint(dx, 0);
  QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, to, header->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(header->viewport(), &move);
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, to);
  QCoreApplication::processEvents();
}

TEST_F(GridHabitsTest, ColumnsAreWidenedByDraggingTheirBorderUnlessTheSheetIsProtected) {
  const Object sheet = NewBook();
  QHeaderView* header = Grid()->horizontalHeader();
  const int before = header->sectionSize(1);
  DragBorder(header, 1, 70);
  const double width = sheet.obj("Columns", "B").get("ColumnWidth").toDouble();
  EXPECT_EQ(width, excel_window::ColumnWidthOf(before + 70));
  EXPECT_EQ(header->sectionSize(1), excel_window::ColumnPixels(width));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(sheet.obj("Columns", "B").get("ColumnWidth"), Variant(excel::kStandardColumnWidth));
  EXPECT_EQ(header->sectionSize(1), before);

  // A double click on the border fits the column to its text.
  sheet.obj("Range", "C1").put("Value", "一段相当长的文字，比标准列宽长得多");
  windows->Sync();
  const QPoint border(header->sectionViewportPosition(2) + header->sectionSize(2) - 1, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, border);
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, border);
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, border);
  QCoreApplication::processEvents();
  const double fitted = sheet.obj("Columns", "C").get("ColumnWidth").toDouble();
  EXPECT_GT(fitted, 20);
  EXPECT_EQ(header->sectionSize(2), excel_window::ColumnPixels(fitted));

  sheet.call("Protect");
  windows->Sync();
  DragBorder(header, 1, 70);
  EXPECT_EQ(sheet.obj("Columns", "B").get("ColumnWidth"), Variant(excel::kStandardColumnWidth));
  EXPECT_EQ(header->sectionSize(1), before);

  // Protected with formatting allowed, as the project workbooks' sheets are, the drag goes through.
  sheet.call("Unprotect");
  sheet.call("Protect", "", true, true, true, true);
  windows->Sync();
  DragBorder(header, 1, 70);
  EXPECT_EQ(sheet.obj("Columns", "B").get("ColumnWidth").toDouble(), excel_window::ColumnWidthOf(before + 70));
}

}  // namespace
}  // namespace office::windows
