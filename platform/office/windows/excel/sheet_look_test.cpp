// How the grid shows a project workbook's formatting: through the roles the grid's model gives
// (which the sheet printing reads as well), its spans and row heights, and on screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QMainWindow>
#include <QTableView>

#include <filesystem>

#include "platform/automation/dispatch.h"
#include "platform/office/excel/application.h"
#include "platform/office/excel/workbook_file.h"
#include "platform/office/windows/excel/excel_windows.h"
#include "platform/office/windows/excel/sheet_grid.h"

namespace office::windows::excel_window {
namespace {

const std::string kMarketTemplate = std::string(QORVANE_BIN_DIR) + "/市场法.xlt";

struct SheetLookTest : ::testing::Test {
  void Show(const std::string& sheetName) {
    book = excel::ReadWorkbookFile(kMarketTemplate).book;
    model.SetSheet(book, book->SheetNamed(sheetName)->id);
    grid.ApplyLayout(*book->SheetNamed(sheetName));
  }
  QVariant Role(const std::string& address, int role) const {
    const auto at = excel::ParseAreaText(address);
    return model.index(at->top - 1, at->left - 1).data(role);
  }
  QColor Fill(const std::string& address) const {
    const QVariant v = Role(address, Qt::BackgroundRole);
    return v.isValid() ? v.value<QBrush>().color() : QColor(Qt::white);
  }

  std::shared_ptr<excel::BookModel> book;
  SheetTableModel model{[](int, int, const std::string&) { return true; }};
  SheetGrid grid{&model};
};

TEST_F(SheetLookTest, InputCellsAreUncolouredAndLockedOnesColouredAsTheHelpSays) {
  Show("市场法计算表");
  const excel::SheetModel& sheet = *book->SheetNamed("市场法计算表");
  // Every cell of table 1 that shows a colour is locked, and every cell the user may type into
  // shows none; the computed cells share one colour, the labels of the table another.
  int input = 0, coloured = 0;
  for (int row = 3; row <= 37; ++row)
    for (int column = 1; column <= 15; ++column) {
      const std::string at = excel::ColumnLetters(column) + std::to_string(row);
      const excel::Cell* cell = sheet.cells.Find(row, column);
      const bool locked = !cell || cell->locked;
      if (locked) {
        EXPECT_NE(Fill(at), QColor(Qt::white)) << at << " is locked but looks editable";
        ++coloured;
      } else {
        EXPECT_EQ(Fill(at), QColor(Qt::white)) << at << " is editable but coloured";
        ++input;
      }
      EXPECT_EQ(excel_window::BorderOf(Role(at, kBordersRole).toUInt(), excel::Side::Bottom), excel::BorderLine::Thin) << at;
    }
  EXPECT_GT(input, 100);
  EXPECT_GT(coloured, 100);
  EXPECT_NE(Fill("L11"), Fill("A11"));  // computed against label
  EXPECT_EQ(Fill("L11"), Fill("C36"));

  // The title: one merged cell over the table's width, bold, larger, centred, in a taller row.
  EXPECT_TRUE(Role("A2", Qt::FontRole).value<QFont>().bold());
  EXPECT_GT(Role("A2", Qt::FontRole).value<QFont>().pointSizeF(), QApplication::font().pointSizeF());
  EXPECT_EQ(Role("A2", Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(grid.columnSpan(1, 0), 13);
  EXPECT_GT(grid.rowHeight(1), kRowPixels);
  EXPECT_EQ(grid.rowHeight(2), kRowPixels);
  // Numbers keep Excel's right alignment where the format sets none.
  EXPECT_EQ(Role("H11", Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(SheetLookTest, TheHiddenTemplateBlockAndEveryAddedTableLookLikeTableOne) {
  Show("市场法计算表");
  excel::SheetModel& sheet = *book->SheetNamed("市场法计算表");
  book->InsertCopiedRows(sheet, 38, sheet, 38, 36);  // as the table appender adds table 2
  grid.ApplyLayout(sheet);
  for (int row = 2; row <= 37; ++row)
    for (int column = 1; column <= 15; ++column) {
      const excel::Cell* one = sheet.cells.Find(row, column);
      const excel::Cell* two = sheet.cells.Find(row + 36, column);
      const excel::Cell* block = sheet.cells.Find(row + 72, column);
      ASSERT_EQ(one != nullptr, two != nullptr) << row << "," << column;
      ASSERT_EQ(one != nullptr, block != nullptr) << row << "," << column;
      if (one) {
        EXPECT_EQ(one->style, two->style) << row << "," << column;
        EXPECT_EQ(one->style, block->style) << row << "," << column;
      }
    }
  EXPECT_EQ(grid.columnSpan(37, 0), 13);  // table 2's title
  EXPECT_EQ(grid.columnSpan(73, 0), 13);  // the template block's
  EXPECT_EQ(sheet.cells.Height(38), sheet.cells.Height(2));
}

TEST(SheetLookScreenshot, TheProjectWorkbooksAsAPersonSeesThem) {
  auto app = std::make_shared<excel::ExcelApplication>();
  automation::Object xl{app};
  xl.put("Visible", true);
  auto windows = MakeExcelWindows(app, [] {});
  QMainWindow* main = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "XLMAIN") main = qobject_cast<QMainWindow*>(w);
  ASSERT_NE(main, nullptr);
  main->resize(1400, 900);
  std::filesystem::create_directories(SCREENSHOT_DIR);
  const std::vector<std::pair<std::string, std::vector<std::string>>> books = {
      {"市场法", {"参数", "市场法计算表", "收益法计算表1", "收益法计算表2", "估价结果汇总表"}},
      {"成本法", {"成本法计算表"}},
      {"基准地价与成本逼近", {"参数", "基准地价计算表", "成本逼近计算表", "估价结果汇总表"}},
      {"房地产估价作业方案", {"作业方案"}}};
  for (const auto& [name, sheets] : books) {
    const automation::Object book = xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/" + name + ".xlt").toObject();
    for (const std::string& sheet : sheets) {
      book.obj("Worksheets", sheet).call("Activate");
      windows->Sync();
      for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
      const QString path = QString::fromStdString(std::string(SCREENSHOT_DIR) + "/excel_" + name + "_" + sheet + ".png");
      ASSERT_TRUE(main->grab().save(path, "PNG")) << path.toStdString();
    }
    book.call("Close", false);
  }
}

}  // namespace
}  // namespace office::windows::excel_window
