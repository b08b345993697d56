// The copies a dead host left, offered once their application shows its windows: opened as the
// files they were, discarded, or kept for the application's next start.

#include "platform/office/windows/recovery_offer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <fstream>

#include "platform/office/excel/application.h"
#include "platform/office/recovery/keeper.h"
#include "platform/office/windows/office_windows.h"
#include "platform/office/word/word_application.h"
#include "platform/ui/text_fit.h"

namespace office::windows {
namespace {

namespace fs = std::filesystem;
using automation::Object;

ApplicationRegistry Registry() {
  ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  registry.Register("Word.Application", word::CreateWordApplication);
  return registry;
}

QDialog* Offer() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "recoveryOffer" && w->isVisible()) return static_cast<QDialog*>(w);
  return nullptr;
}

// A host that died with a typed workbook and a drafted report leaves their copies; this one
// starts over that folder, with windows.
class RecoveryOfferTest : public ::testing::Test {
 protected:
  static std::string Folder() {
    char dir[] = "/tmp/qv-offer-XXXXXX";
    return mkdtemp(dir) ? dir : "";
  }
  RecoveryOfferTest() {
    book_ = dir_ + "/参数.xls";
    std::ofstream(book_) << R"({"sheets": [{"name": "参数", "cells": {}}]})";
    RunningObjectTable died(Registry());
    recovery::Keeper keeper(folder_, recovery::kPeriod);
    keeper.Keep(died);
    Object xl(died.Create("Excel.Application")->application);
    xl.obj("Workbooks").call("Open", book_).toObject().obj("Worksheets", 1).obj("Range", "E7").put("Value", "张三");
    Object word(died.Create("Word.Application")->application);
    word.obj("Documents").call("Add").toObject().call("Range", 0, 0).toObject().put("Text", "估价报告");
    keeper.WriteCopies();
  }
  ~RecoveryOfferTest() override { fs::remove_all(dir_); }

  Object Start(const std::string& progid) {
    Object app(table_.Create(progid)->application);
    app.put("Visible", true);
    windows_.Sync();
    return app;
  }
  std::size_t CopiesOnDisk() const {
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder_)) n += e.path().extension() == ".json";
    return n;
  }

  std::string dir_ = Folder(), folder_ = dir_ + "/recovery", book_;
  RunningObjectTable table_{Registry()};
  recovery::Keeper keeper_{folder_, recovery::kPeriod};
  OfficeWindows windows_{table_, [] {}};
};

TEST_F(RecoveryOfferTest, WaitsForTheApplicationsWindowsThenOpensTheTypedValuesAgain) {
  keeper_.Keep(table_);
  Object xl(table_.Create("Excel.Application")->application);
  windows_.Sync();
  EXPECT_EQ(Offer(), nullptr) << "an Excel that a program drives unseen offers nothing";
  xl.put("Visible", true);
  windows_.Sync();
  QDialog* offer = Offer();
  ASSERT_NE(offer, nullptr);
  EXPECT_EQ(offer->findChild<QLabel*>("heading")->text(), "以下文件已恢复…");
  EXPECT_FALSE(offer->isModal());
  EXPECT_TRUE(offer->findChild<QLabel*>("copy1")->text().startsWith("参数.xls\n" + QString::fromStdString(book_)));
  EXPECT_EQ(offer->findChild<QLabel*>("copy2"), nullptr) << "the report's copy waits for Word";

  const auto shots = fs::path(QORVANE_ARTEFACTS_DIR) / "screenshots";
  fs::create_directories(shots);
  const auto files = windows_.SaveScreenshots((shots / "recovery-offer").string());
  EXPECT_EQ(files.size(), 2u) << "Excel's window and the offer";
  EXPECT_EQ(ui::CutTexts(*offer), std::vector<std::string>());

  // Programs are served while it waits, and a file of the copy's name open is a refusal shown on its row.
  Object same = xl.obj("Workbooks").call("Open", book_).toObject();
  EXPECT_TRUE(windows_.Perform("Excel.Application", {"recovered", "打开", "参数.xls"}));
  const QLabel* refusal = offer->findChild<QLabel*>("error1");
  EXPECT_TRUE(refusal->isVisible());
  EXPECT_TRUE(refusal->text().contains("参数.xls"));
  QApplication::processEvents();
  windows_.SaveScreenshots((shots / "recovery-offer-refused").string());
  EXPECT_EQ(ui::CutTexts(*offer), std::vector<std::string>());
  same.call("Close", false);

  EXPECT_TRUE(windows_.Perform("Excel.Application", {"recovered", "全部打开"}));
  EXPECT_EQ(Offer(), nullptr) << "nothing left to offer";
  Object book = xl.get("ActiveWorkbook").toObject();
  EXPECT_EQ(book.get("Name").toText(), "参数.xls");
  EXPECT_EQ(book.obj("Worksheets", 1).obj("Range", "E7").get("Value").toText(), "张三");
  EXPECT_FALSE(book.get("Saved").toBool());
  EXPECT_EQ(CopiesOnDisk(), 2u) << "the opened copy stays until the workbook is saved or closed";
}

TEST_F(RecoveryOfferTest, ACopyNeitherOpenedNorDiscardedIsOfferedAgainAtTheNextStart) {
  keeper_.Keep(table_);
  Object word = Start("Word.Application");
  ASSERT_NE(Offer(), nullptr);
  Offer()->reject();  // closed by the user without a choice
  word.call("Quit");
  table_.Sweep();
  windows_.Sync();

  word = Start("Word.Application");
  QDialog* offer = Offer();
  ASSERT_NE(offer, nullptr);
  offer->findChild<QPushButton*>("discard1")->click();
  EXPECT_EQ(Offer(), nullptr);
  EXPECT_EQ(CopiesOnDisk(), 1u) << "the workbook's copy is still there";
  word.call("Quit");
  table_.Sweep();
  windows_.Sync();
  Start("Word.Application");
  EXPECT_EQ(Offer(), nullptr);
}

}  // namespace
}  // namespace office::windows
