// The windows of the stand-in Word as a user works in them, checked through the object model as
// automation reads it.

#include "platform/office/windows/word/word_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QImage>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextTable>

#include "platform/office/windows/word/shown_story.h"
#include "platform/office/word/word_application.h"
#include "platform/runtime/testing/time_bound.h"

namespace office::windows {
namespace {

using automation::Named;
using automation::Object;

std::string Bin(const std::string& file) { return std::string(QORVANE_BIN_DIR) + "/" + file; }

class WordWindowsTest : public ::testing::Test {
 protected:
  WordWindowsTest() { std::filesystem::create_directories(folder_); }
  ~WordWindowsTest() override {
    windows_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::filesystem::remove_all(folder_);
  }

  // The host's part: after a user's action the windows are brought up to date, and a Word that
  // quit is dropped, windows and all, from within the call.
  void Acted() {
    ++acted_;
    if (word_->hasQuit()) windows_.reset();
    else windows_->Sync();
  }

  std::string Write(const std::string& name, const std::string& json) const {
    const std::string path = (folder_ / name).string();
    std::ofstream(path) << json;
    return path;
  }
  // A visible Word with a document of the given main story (JSON blocks) open.
  Object Open(const std::string& mainBlocks) {
    const Object doc = app_.obj("Documents").call("Open", Write("report.doc", R"({"main": )" + mainBlocks + "}")).toObject();
    Show();
    return doc;
  }
  void Show() {
    app_.put("Visible", true);
    windows_->Sync();
    QCoreApplication::processEvents();
  }

  std::vector<QMainWindow*> DocumentWindows() const {
    std::vector<QMainWindow*> out;
    if (!windows_) return out;
    for (QWidget* w : windows_->Shown())
      if (auto* main = qobject_cast<QMainWindow*>(w)) out.push_back(main);
    return out;
  }
  QMainWindow* Window(const std::string& name) const {
    for (QMainWindow* w : DocumentWindows())
      if (w->windowTitle() == QString::fromStdString(name + " - Word")) return w;
    return nullptr;
  }
  QTextEdit* Page(const std::string& name = "report.doc") const {
    QMainWindow* w = Window(name);
    return w ? w->findChild<QTextEdit*>("page") : nullptr;
  }
  QString ShownText(const std::string& name = "report.doc") const { return Page(name)->document()->toPlainText(); }
  std::string Text() const { return app_.obj("ActiveDocument").obj("Content").get("Text").toText(); }
  Object Selection() const { return app_.obj("Selection"); }
  bool Perform(std::vector<std::string> action) { return windows_->Perform(action); }

  void Key(QWidget* target, int key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
  }
  void ClickAt(QTextEdit* page, int shown) {
    QTextCursor c(page->document());
    c.setPosition(shown);
    const QPoint at = page->cursorRect(c).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, page->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(page->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, page->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(page->viewport(), &release);
  }

  QWidget* FindDialog() const {
    for (QWidget* w : windows_->Shown())
      if (w->objectName() == "findReplace") return w;
    return nullptr;
  }
  QMessageBox* Message() const {
    for (QWidget* w : windows_->Shown())
      if (auto* box = qobject_cast<QMessageBox*>(w)) return box;
    return nullptr;
  }

  const std::filesystem::path folder_ =
      std::filesystem::temp_directory_path() /
      ("qv_word_window_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  std::shared_ptr<office::word::WordApplication> word_ = std::make_shared<office::word::WordApplication>();
  Object app_{word_};
  int acted_ = 0;
  std::unique_ptr<ApplicationWindows> windows_ = MakeWordWindows(word_, [this] { Acted(); });
};

constexpr const char* kTwoParagraphs = R"([{"paragraph": [{"text": "估价对象"}]}, {"paragraph": [{"text": "房屋坐落"}]}])";

TEST_F(WordWindowsTest, AWindowForEachDocumentWhileWordIsVisible) {
  app_.obj("Documents").call("Add");
  windows_->Sync();
  EXPECT_TRUE(windows_->Shown().empty()) << "Word is not visible yet";
  Show();
  ASSERT_EQ(DocumentWindows().size(), 1u);
  EXPECT_EQ(DocumentWindows()[0]->windowTitle(), QStringLiteral("文档1 - Word"));
  app_.obj("Documents").call("Add");
  windows_->Sync();
  QCoreApplication::processEvents();
  ASSERT_EQ(DocumentWindows().size(), 2u);
  EXPECT_EQ(QApplication::activeWindow(), Window("文档2")) << "the active document's window is active";
  app_.obj("Documents").call("Item", 1).toObject().call("Activate");
  windows_->Sync();
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), Window("文档1"));
  app_.obj("Documents").call("Item", 2).toObject().call("Close");
  windows_->Sync();
  EXPECT_EQ(DocumentWindows().size(), 1u);
  app_.put("Visible", false);
  windows_->Sync();
  EXPECT_TRUE(windows_->Shown().empty());
  EXPECT_FALSE(Perform({"type", "x"})) << "no hands in hidden windows";
}

TEST_F(WordWindowsTest, TypingAndDeletingThroughTheWindowReachTheModel) {
  Open(kTwoParagraphs);
  QTextEdit* page = Page();
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(ShownText(), QStringLiteral("估价对象\n房屋坐落"));
  ClickAt(page, 2);
  EXPECT_EQ(Selection().get("Start").toInt32(), 2);
  EXPECT_EQ(Selection().get("End").toInt32(), 2);
  const int before = acted_;
  Key(page, Qt::Key_unknown, QStringLiteral("甲"));
  ASSERT_TRUE(Perform({"type", "乙"}));
  EXPECT_GT(acted_, before);
  EXPECT_EQ(Text(), "估价甲乙对象\r房屋坐落\r");
  EXPECT_EQ(Selection().get("Start").toInt32(), 4) << "the insertion point follows the typed text";
  EXPECT_EQ(ShownText(), QStringLiteral("估价甲乙对象\n房屋坐落"));
  Key(page, Qt::Key_Backspace);
  EXPECT_EQ(Text(), "估价甲对象\r房屋坐落\r");
  Key(page, Qt::Key_Delete);
  EXPECT_EQ(Text(), "估价甲象\r房屋坐落\r");
  Key(page, Qt::Key_Return);
  EXPECT_EQ(Text(), "估价甲\r象\r房屋坐落\r");
  EXPECT_EQ(ShownText(), QStringLiteral("估价甲\n象\n房屋坐落"));
  // A selection typed over, then one across paragraphs that the model refuses (4120).
  ASSERT_TRUE(Perform({"select", "0", "2"}));
  EXPECT_EQ(Selection().get("End").toInt32(), 2);
  Perform({"type", "标的"});
  EXPECT_EQ(Text(), "标的甲\r象\r房屋坐落\r");
  ASSERT_TRUE(Perform({"select", "1", "6"}));
  Perform({"type", "x"});
  Perform({"key", "Backspace"});
  EXPECT_EQ(Text(), "标的甲\r象\r房屋坐落\r") << "an edit across paragraphs is left undone";
  Perform({"click", "4"});
  Perform({"key", "Backspace"});
  EXPECT_EQ(Text(), "标的甲\r象\r房屋坐落\r") << "the model joins no paragraphs";
  EXPECT_EQ(ShownText(), QStringLiteral("标的甲\n象\n房屋坐落"));
}

// The window laid such a paragraph out for minutes; it takes about a third of a second here, so
// the bounds leave room for a loaded machine and still catch the stall.
TEST_F(WordWindowsTest, AVeryLongParagraphShowsWithoutDelay) {
  const auto started = std::chrono::steady_clock::now();
  std::string text;
  for (int i = 0; i < 35000; ++i) text += "估价对象位于某市";  // 280 000 characters
  const Object doc = Open(R"([{"paragraph": [{"text": ")" + text + R"("}]}])");
  const auto shown = std::chrono::steady_clock::now() - started;
  EXPECT_LT(shown, runtime::testing::Within(std::chrono::seconds(5)));
  doc.call("Range", 0, 1).toObject().put("Text", "甲");
  Acted();
  QCoreApplication::processEvents();
  EXPECT_LT(std::chrono::steady_clock::now() - started, runtime::testing::Within(std::chrono::seconds(10)));
  EXPECT_EQ(doc.obj("Content").get("Text").toText().substr(0, 3), "甲");
}

TEST_F(WordWindowsTest, AProgramsEditShowsAfterSyncAndOnlyAChangeRendersAgain) {
  Open(kTwoParagraphs);
  QTextDocument* shown = Page()->document();
  windows_->Sync();
  EXPECT_EQ(Page()->document(), shown) << "nothing changed: nothing rendered again";
  app_.obj("ActiveDocument").call("Range", 0, 2).toObject().put("Text", "标的");
  EXPECT_EQ(ShownText(), QStringLiteral("估价对象\n房屋坐落")) << "not before the next Sync";
  windows_->Sync();
  EXPECT_EQ(ShownText(), QStringLiteral("标的对象\n房屋坐落"));
  const Object find = Selection().obj("Find");
  Selection().call("SetRange", 0, 0);
  find.call("Execute", Named("FindText", "房屋"), Named("ReplaceWith", "土地"), Named("Replace", 2));
  windows_->Sync();
  EXPECT_EQ(ShownText(), QStringLiteral("标的对象\n土地坐落"));
}

TEST_F(WordWindowsTest, AFieldShowsItsShadedResultAndTypingInItGoesIntoTheResult) {
  Open(R"([{"paragraph": [{"text": "坐落："}, {"code": "TITLE 房屋坐落", "result": "人民路1号"}, {"text": "。"}]}])");
  QTextEdit* page = Page();
  EXPECT_EQ(ShownText(), QStringLiteral("坐落：人民路1号。"));
  QTextCursor c(page->document());
  c.setPosition(5);
  EXPECT_EQ(c.charFormat().background().color(), word::FieldShading());
  Perform({"click", "5"});  // between 人民 and 路
  Perform({"type", "北"});
  const Object field = app_.obj("ActiveDocument").obj("Fields").obj("Item", 1);
  EXPECT_EQ(field.obj("Result").get("Text").toText(), "人民北路1号");
  EXPECT_EQ(field.obj("Code").get("Text").toText(), "TITLE 房屋坐落");
  Perform({"click", "9"});  // after the field
  Perform({"type", "止"});
  EXPECT_EQ(field.obj("Result").get("Text").toText(), "人民北路1号");
  EXPECT_EQ(Text(), "坐落：人民北路1号止。\r");
  EXPECT_EQ(ShownText(), QStringLiteral("坐落：人民北路1号止。"));
}

TEST_F(WordWindowsTest, TablesShowAsGridsAndAProgramsGoToMovesTheShownCursor) {
  Open(R"([{"paragraph": [{"text": "估价结果"}]},
           {"table": [[[{"text": "坐落"}], [{"text": "单价"}]], [[{"text": "人民路"}], [{"code": "TITLE 单价", "result": "6899.31"}]]]},
           {"paragraph": [{"text": "完"}]}])");
  QTextEdit* page = Page();
  QTextTable* table = nullptr;
  for (QTextFrame* frame : page->document()->rootFrame()->childFrames()) table = qobject_cast<QTextTable*>(frame);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rows(), 2);
  EXPECT_EQ(table->columns(), 2);
  EXPECT_EQ(table->format().border(), 1);
  QTextCursor cell = table->cellAt(1, 1).firstCursorPosition();
  cell.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  EXPECT_EQ(cell.selectedText(), QStringLiteral("6899.31"));

  EXPECT_EQ(page->textCursor().currentTable(), nullptr);
  Selection().call("GoTo", Named("What", 2), Named("Which", 1), Named("Count", 1));
  windows_->Sync();
  ASSERT_NE(page->textCursor().currentTable(), nullptr) << "the shown cursor went to the table";
  EXPECT_EQ(table->cellAt(page->textCursor()).row(), 0);
  EXPECT_EQ(table->cellAt(page->textCursor()).column(), 0);
  // And back: a click in a cell puts the document's selection there.
  ClickAt(page, table->cellAt(1, 0).firstPosition() + 1);
  Perform({"type", "北"});
  EXPECT_EQ(app_.obj("ActiveDocument").obj("Tables").obj("Item", 1).call("Cell", 2, 1).toObject().obj("Range").get("Text").toText(),
            "人北民路\r\a");
}

TEST_F(WordWindowsTest, FindOptionsSetInTheDialogPersistIntoAutomationsFind) {
  Open(R"([{"paragraph": [{"text": "Abc abc ABC"}]}])");
  QAction* findReplace = Window("report.doc")->findChild<QAction*>("findReplace");  // 编辑 > 查找和替换…
  ASSERT_NE(findReplace, nullptr);
  EXPECT_EQ(findReplace->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
  EXPECT_EQ(findReplace->text(), QStringLiteral("查找和替换…"));
  findReplace->trigger();
  QWidget* dialog = FindDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(qobject_cast<QDialog*>(dialog)->isModal());
  dialog->findChild<QLineEdit*>("findText")->setText("abc");
  dialog->findChild<QCheckBox*>("matchCase")->setChecked(true);
  dialog->findChild<QPushButton*>("findNext")->click();
  EXPECT_EQ(Selection().get("Start").toInt32(), 4);
  EXPECT_EQ(Selection().get("End").toInt32(), 7);
  EXPECT_EQ(Page()->textCursor().selectedText(), QStringLiteral("abc")) << "the shown selection is the match";

  const Object find = Selection().obj("Find");
  EXPECT_TRUE(find.get("MatchCase").toBool());
  EXPECT_EQ(find.get("Text").toText(), "abc");
  EXPECT_TRUE(find.get("Forward").toBool());
  EXPECT_EQ(find.get("Wrap").toInt32(), 1) << "the dialog's search goes on at the other end";
  Selection().call("SetRange", 0, 0);
  EXPECT_FALSE(find.call("Execute", Named("FindText", "aBC")).toBool()) << "case-sensitive, as the user left it";
  EXPECT_TRUE(find.call("Execute", Named("FindText", "ABC")).toBool());
  EXPECT_EQ(Selection().get("Start").toInt32(), 8);

  // The dialog opens again with what automation left.
  find.put("MatchCase", false);
  find.put("MatchWholeWord", true);
  find.put("Forward", false);
  dialog->hide();
  ASSERT_TRUE(Perform({"find"}));
  EXPECT_FALSE(dialog->findChild<QCheckBox*>("matchCase")->isChecked());
  EXPECT_TRUE(dialog->findChild<QCheckBox*>("matchWholeWord")->isChecked());
  EXPECT_TRUE(dialog->findChild<QRadioButton*>("backward")->isChecked());
  EXPECT_EQ(dialog->findChild<QLineEdit*>("findText")->text(), QStringLiteral("ABC"));
}

TEST_F(WordWindowsTest, ReplaceAndReplaceAllFromTheDialog) {
  Open(R"([{"paragraph": [{"text": "甲乙甲乙"}, {"code": "TITLE 甲", "result": "甲"}]}])");
  ASSERT_TRUE(Perform({"find"}));
  QWidget* dialog = FindDialog();
  dialog->findChild<QLineEdit*>("findText")->setText("甲");
  dialog->findChild<QLineEdit*>("replaceText")->setText("丙");
  dialog->findChild<QPushButton*>("replace")->click();
  EXPECT_EQ(Text(), "甲乙甲乙甲\r") << "the first press selects the match";
  EXPECT_EQ(Selection().get("Start").toInt32(), 0);
  dialog->findChild<QPushButton*>("replace")->click();
  EXPECT_EQ(Text(), "丙乙甲乙甲\r");
  EXPECT_EQ(Selection().get("Start").toInt32(), 2) << "then the next match is selected";
  dialog->findChild<QPushButton*>("replaceAll")->click();
  EXPECT_EQ(Text(), "丙乙丙乙丙\r");
  EXPECT_EQ(app_.obj("ActiveDocument").obj("Fields").obj("Item", 1).obj("Code").get("Text").toText(), "TITLE 甲")
      << "codes are not searched";
  EXPECT_EQ(ShownText(), QStringLiteral("丙乙丙乙丙"));
  EXPECT_EQ(Selection().obj("Find").obj("Replacement").get("Text").toText(), "丙");
  QMessageBox* message = Message();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->text(), QStringLiteral("全部完成。"));
}

TEST_F(WordWindowsTest, NotFoundAndRefusedSearchesSayItWithoutBlocking) {
  Open(kTwoParagraphs);
  ASSERT_TRUE(Perform({"find"}));
  QWidget* dialog = FindDialog();
  dialog->findChild<QLineEdit*>("findText")->setText("没有");
  dialog->findChild<QPushButton*>("findNext")->click();
  QMessageBox* message = Message();
  ASSERT_NE(message, nullptr);
  EXPECT_TRUE(message->text().contains(QStringLiteral("未找到")));
  EXPECT_EQ(message->windowModality(), Qt::NonModal);
  dialog->findChild<QCheckBox*>("matchWildcards")->setChecked(true);
  dialog->findChild<QPushButton*>("findNext")->click();
  ASSERT_NE(Message(), nullptr);
  EXPECT_TRUE(Selection().obj("Find").get("MatchWildcards").toBool()) << "the option stays set";
  EXPECT_EQ(Text(), "估价对象\r房屋坐落\r");
}

TEST_F(WordWindowsTest, ActivatingAWindowActivatesItsDocument) {
  app_.obj("Documents").call("Add");
  app_.obj("Documents").call("Add");
  Show();
  EXPECT_EQ(app_.obj("ActiveDocument").get("Name").toText(), "文档2");
  ASSERT_TRUE(Perform({"activate", "文档1"}));
  EXPECT_EQ(app_.obj("ActiveDocument").get("Name").toText(), "文档1");
  QTextEdit* second = Page("文档2");
  ClickAt(second, 0);
  EXPECT_EQ(app_.obj("ActiveDocument").get("Name").toText(), "文档2") << "a click in a window activates it";
  EXPECT_FALSE(Perform({"activate", "文档9"}));
  EXPECT_FALSE(Perform({"dance"}));
  EXPECT_FALSE(Perform({"click", "x"}));
}

TEST_F(WordWindowsTest, ClosingTheLastWindowQuitsWord) {
  app_.obj("Documents").call("Add");
  app_.obj("Documents").call("Add");
  Show();
  Window("文档2")->close();  // its close button
  QCoreApplication::processEvents();
  EXPECT_EQ(app_.obj("Documents").get("Count").toInt32(), 1);
  EXPECT_FALSE(word_->hasQuit());
  ASSERT_EQ(DocumentWindows().size(), 1u);
  Window("文档1")->findChild<QAction*>("close")->trigger();  // 文件 > 关闭
  EXPECT_TRUE(word_->hasQuit());
  EXPECT_EQ(windows_, nullptr) << "the host dropped the Word that quit";
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(WordWindowsTest, OpenSaveAsAndQuitFromTheFileMenu) {
  Open(kTwoParagraphs);
  const std::string other = Write("其他.doc", R"({"main": [{"paragraph": [{"text": "其他"}]}]})");
  ASSERT_TRUE(Perform({"open", other}));
  EXPECT_EQ(app_.obj("ActiveDocument").get("Name").toText(), "其他.doc");
  ASSERT_NE(Window("其他.doc"), nullptr);
  Perform({"type", "新"});
  const std::string saved = (folder_ / "另存.doc").string();
  ASSERT_TRUE(Perform({"saveas", saved}));
  EXPECT_TRUE(std::filesystem::exists(saved));
  EXPECT_NE(Window("另存.doc"), nullptr) << "the title follows the new name";
  EXPECT_EQ(app_.obj("Documents").call("Open", saved).toObject().obj("Content").get("Text").toText(), "新其他\r");
  Perform({"open", (folder_ / "missing.doc").string()});
  ASSERT_NE(Message(), nullptr) << "a file that cannot be opened is said so";
  Window("另存.doc")->findChild<QAction*>("quit")->trigger();
  EXPECT_TRUE(word_->hasQuit());
  EXPECT_EQ(windows_, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The save question as the user sees it: "是否将更改保存到 NAME 中？" and its three buttons.
TEST_F(WordWindowsTest, ClosingAChangedDocumentAsksFirstAndEachAnswerDoesWhatItSays) {
  const std::string path = Open(kTwoParagraphs).get("FullName").toText();
  const Object documents = app_.obj("Documents");
  documents.call("Add");
  Perform({"activate", "report.doc"});
  Window("report.doc")->close();
  EXPECT_EQ(Message(), nullptr) << "an unchanged document closes without a question";
  EXPECT_EQ(documents.get("Count").toInt32(), 1);

  documents.call("Open", path);
  windows_->Sync();
  documents.obj("Item", "report.doc").call("Range", 0, 0).toObject().put("Text", "程序");  // a program's change
  Window("report.doc")->close();  // the close button
  QMessageBox* question = Message();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->text(), QStringLiteral("是否将更改保存到 report.doc 中？"));
  QStringList buttons;
  for (QAbstractButton* b : question->buttons()) buttons << b->text();
  EXPECT_EQ(buttons.size(), 3);
  std::filesystem::create_directories(QORVANE_SCREENSHOT_DIR);
  question->grab().save(QString::fromStdString(std::string(QORVANE_SCREENSHOT_DIR) + "/word_save_question.png"));
  for (const QString& b : {QStringLiteral("保存(&S)"), QStringLiteral("不保存(&N)"), QStringLiteral("取消")}) EXPECT_TRUE(buttons.contains(b)) << b.toStdString();
  EXPECT_FALSE(Perform({"type", "x"})) << "the question waits for its answer";

  ASSERT_TRUE(Perform({"answer", "取消"}));
  EXPECT_EQ(documents.get("Count").toInt32(), 2) << "取消 keeps everything open";
  EXPECT_FALSE(documents.obj("Item", "report.doc").get("Saved").toBool());

  Window("report.doc")->findChild<QAction*>("close")->trigger();
  ASSERT_TRUE(Perform({"answer", "不保存"}));
  EXPECT_EQ(documents.get("Count").toInt32(), 1);
  EXPECT_EQ(documents.call("Open", path).toObject().obj("Content").get("Text").toText(), "估价对象\r房屋坐落\r")
      << "不保存 leaves the file as it was";

  windows_->Sync();
  Perform({"type", "改"});
  Window("report.doc")->close();
  ASSERT_TRUE(Perform({"answer", "保存"}));
  EXPECT_EQ(documents.get("Count").toInt32(), 1);
  EXPECT_EQ(documents.call("Open", path).toObject().obj("Content").get("Text").toText(), "改估价对象\r房屋坐落\r");
  EXPECT_FALSE(word_->hasQuit());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(WordWindowsTest, SaveWritesTheFileAndANeverSavedDocumentAsksForAName) {
  Open(kTwoParagraphs);
  QAction* save = Window("report.doc")->findChild<QAction*>("save");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->text(), QStringLiteral("保存"));
  EXPECT_EQ(save->shortcut(), QKeySequence(QKeySequence::Save));
  Perform({"type", "新"});
  EXPECT_FALSE(app_.obj("ActiveDocument").get("Saved").toBool());
  save->trigger();
  EXPECT_TRUE(app_.obj("ActiveDocument").get("Saved").toBool());
  EXPECT_EQ(app_.obj("Documents").call("Open", (folder_ / "report.doc").string()).toObject().obj("Content").get("Text").toText(),
            "新估价对象\r房屋坐落\r");

  app_.obj("Documents").call("Add");
  windows_->Sync();
  Perform({"type", "草稿"});
  ASSERT_TRUE(Perform({"save"}));  // the name dialog cancelled
  EXPECT_EQ(app_.obj("ActiveDocument").get("Name").toText(), "文档1");
  EXPECT_FALSE(app_.obj("ActiveDocument").get("Saved").toBool());
  const std::string named = (folder_ / "草稿.doc").string();
  ASSERT_TRUE(Perform({"save", named}));
  EXPECT_EQ(app_.obj("ActiveDocument").get("Name").toText(), "草稿.doc");
  EXPECT_NE(Window("草稿.doc"), nullptr);
  EXPECT_TRUE(std::filesystem::exists(named));
}

TEST_F(WordWindowsTest, QuittingAsksAboutEachChangedDocumentAndCancelKeepsAllOpen) {
  Open(kTwoParagraphs);
  app_.obj("Documents").call("Add");
  app_.obj("Documents").call("Add");
  windows_->Sync();
  Perform({"type", "第二"});
  app_.obj("Documents").obj("Item", "report.doc").call("Range", 0, 0).toObject().put("Text", "改");
  Window("文档2")->findChild<QAction*>("quit")->trigger();
  ASSERT_NE(Message(), nullptr);
  EXPECT_EQ(Message()->text(), QStringLiteral("是否将更改保存到 report.doc 中？"));
  ASSERT_TRUE(Perform({"answer", "不保存"}));
  ASSERT_NE(Message(), nullptr);
  EXPECT_EQ(Message()->text(), QStringLiteral("是否将更改保存到 文档2 中？")) << "文档1 is unchanged and not asked about";
  ASSERT_TRUE(Perform({"answer", "取消"}));
  EXPECT_FALSE(word_->hasQuit());
  EXPECT_EQ(app_.obj("Documents").get("Count").toInt32(), 3);
  EXPECT_EQ(Message(), nullptr);

  Window("文档2")->findChild<QAction*>("quit")->trigger();
  ASSERT_TRUE(Perform({"answer", "保存"}));  // report.doc, to its own file
  const std::string named = (folder_ / "第二.doc").string();
  ASSERT_TRUE(Perform({"answer", "保存", named}));
  EXPECT_TRUE(word_->hasQuit());
  EXPECT_EQ(windows_, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::ifstream in(named);
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(in), {}).find("第二"), std::string::npos);
  std::ifstream report(folder_ / "report.doc");
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(report), {}).find("改"), std::string::npos);
}

TEST_F(WordWindowsTest, AReportWindowReadsLikeADocument) {
  app_.obj("Documents").call("Add", Bin("房产估价报告(市场法和收益法).dot"));
  Show();
  QMainWindow* window = Window("文档1");
  ASSERT_NE(window, nullptr);
  window->resize(1000, 1100);
  QCoreApplication::processEvents();
  QTextEdit* page = window->findChild<QTextEdit*>("page");
  EXPECT_TRUE(page->document()->toPlainText().startsWith(QStringLiteral("房地产估价报告")));
  EXPECT_FALSE(page->document()->toPlainText().contains(QStringLiteral("TITLE"))) << "no field codes shown";
  // Scrolled to the first table: the result table of the letter.
  Selection().call("GoTo", Named("What", 2), Named("Which", 1), Named("Count", 1));
  windows_->Sync();
  QCoreApplication::processEvents();
  page->verticalScrollBar()->setValue(std::max(0, page->verticalScrollBar()->value() - 500));
  std::filesystem::create_directories(QORVANE_SCREENSHOT_DIR);
  const QImage shot = window->grab().toImage();
  ASSERT_TRUE(shot.save(QString::fromStdString(std::string(QORVANE_SCREENSHOT_DIR) + "/word_report.png")));
  int shaded = 0, dark = 0;
  for (int y = 0; y < shot.height(); y += 2)
    for (int x = 0; x < shot.width(); x += 2) {
      const QColor c = shot.pixelColor(x, y);
      shaded += c == word::FieldShading() ? 1 : 0;
      dark += c.lightness() < 80 ? 1 : 0;
    }
  EXPECT_GT(shaded, 200) << "fields are shaded";
  EXPECT_GT(dark, 2000) << "text and grid lines are drawn";
}

TEST_F(WordWindowsTest, AReportShowsItsTitlePageHeadingsBoldLabelsAndPageBreaks) {
  app_.obj("Documents").call("Add", Bin("房产估价报告(市场法和收益法).dot"));
  Show();
  QMainWindow* window = Window("文档1");
  ASSERT_NE(window, nullptr);
  window->resize(1000, 1100);
  QCoreApplication::processEvents();
  QTextEdit* page = window->findChild<QTextEdit*>("page");
  const QTextBlock title = page->document()->firstBlock();
  EXPECT_EQ(title.text(), QStringLiteral("房地产估价报告"));
  EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  const QTextCharFormat titleFont = title.begin().fragment().charFormat();
  EXPECT_EQ(titleFont.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(titleFont.fontPointSize(), 22);
  int breaks = 0;
  bool heading = false, label = false;
  for (QTextBlock b = title; b.isValid(); b = b.next()) {
    breaks += b.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore ? 1 : 0;
    if (b.text() == QStringLiteral("致估价委托人函"))
      heading = b.begin().fragment().charFormat().fontWeight() == QFont::Bold && b.begin().fragment().charFormat().fontPointSize() == 16;
    if (b.text().startsWith(QStringLiteral("估价方法：")))
      label = b.begin().fragment().text() == QStringLiteral("估价方法：") && b.begin().fragment().charFormat().fontWeight() == QFont::Bold;
  }
  EXPECT_GE(breaks, 5) << "the letter, the statement, the assumptions, the summary and the technical report each on a new page";
  EXPECT_TRUE(heading);
  EXPECT_TRUE(label) << "the label bold, the text after it not";
  std::filesystem::create_directories(QORVANE_SCREENSHOT_DIR);
  const QImage shot = window->grab().toImage();
  ASSERT_TRUE(shot.save(QString::fromStdString(std::string(QORVANE_SCREENSHOT_DIR) + "/word_report_title.png")));
  int widestDottedRow = 0;  // the break after the title page, drawn across the text's width
  for (int y = 0; y < shot.height(); ++y) {
    int first = -1, last = -1, dots = 0;
    for (int x = 0; x < shot.width(); ++x)
      if (shot.pixelColor(x, y) == QColor(0xA0, 0xA0, 0xA0)) {
        if (first < 0) first = x;
        last = x, ++dots;
      }
    if (dots > 100) widestDottedRow = std::max(widestDottedRow, last - first);
  }
  EXPECT_GT(widestDottedRow, 500);
}

}  // namespace
}  // namespace office::windows
