#include "platform/office/windows/excel/excel_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>
#include <string_view>
#include <utility>

#include "platform/automation/dispatch.h"
#include "platform/office/excel/cell_address.h"
#include "platform/office/file_access.h"
#include "platform/office/windows/excel/grid_clipboard.h"
#include "platform/office/windows/excel/grid_habits.h"
#include "platform/office/windows/excel/sheet_grid.h"
#include "platform/office/windows/excel/sheet_printing.h"
#include "platform/office/windows/print_pages.h"
#include "platform/office/windows/save_question.h"
#include "platform/runtime/error.h"

namespace office::windows {
namespace {

using excel::Area;
using excel::BookModel;
using excel::SheetModel;
using excel_window::GridHabits;
using excel_window::SheetGrid;
using excel_window::SheetTableModel;

class MainWindow : public QMainWindow {
 public:
  std::function<bool()> onClose;  // false: not closed now, the user is asked first

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (onClose && !onClose()) event->ignore();
    else event->accept();
  }
};

// The selection as the model keeps it: the selected area and the active cell.
struct SelectionState {
  Area area;
  int row = 1, column = 1;
  bool operator==(const SelectionState&) const = default;
};

// The refusals a person meets by typing in the window, worded as the Chinese Excel shows them.
constexpr std::pair<std::string_view, const char*> kChineseRefusals[] = {
    {"The cell or chart you're trying to change is on a protected sheet.",
     "您试图更改的单元格或图表位于受保护的工作表中。若要进行更改，请取消工作表保护。您可能需要输入密码。"},
    {"The formula contains an error", "此公式有问题。请检查公式的写法，或在文本前加上单引号 ' 使它不被当作公式。"},
    {"A cell holds at most", "单元格中的文本不能超过 32767 个字符。"},
    {excel_window::kCannotPaste, "Microsoft Excel 无法粘贴数据。"},
};

std::string Description(const runtime::Error& e) {
  for (const auto& [english, chinese] : kChineseRefusals)
    if (e.description().starts_with(english)) return chinese;
  return e.description().empty() ? runtime::DefaultDescription(e.number()) : e.description();
}

// 另存为's PDF types: what the PDF holds, as Excel's 发布内容 chooses it.
const QString kSheetPdf = "PDF - 活动工作表 (*.pdf)";
const QString kWorkbookPdf = "PDF - 整个工作簿 (*.pdf)";

std::string CellName(int row, int column) { return excel::ColumnLetters(column) + std::to_string(row); }

class ExcelWindows final : public ApplicationWindows {
 public:
  ExcelWindows(std::shared_ptr<excel::ExcelApplication> app, UserActed acted);
  ~ExcelWindows() override;

  void Sync() override;
  std::vector<QWidget*> Shown() const override;
  bool Perform(const std::vector<std::string>& action) override;

 private:
  void Build();
  automation::Object Xl() const { return automation::Object(app_); }
  bool IsOpen(const BookModel* book) const { return Shared(book) != nullptr; }
  std::shared_ptr<BookModel> Shared(const BookModel* book) const;
  std::shared_ptr<BookModel> BookAt(int tab) const;

  void SyncBooks();
  void SyncSheets(BookModel* book);
  void SyncTarget(const std::shared_ptr<BookModel>& book);
  void SyncSelection(bool force);
  void SyncFormulaBar();
  void ApplySelection(const SelectionState& state);

  // The user's acts, each through the automation member a program would use.
  void OnGridSelection();
  bool FlushSelection();
  void SelectThroughGrid(const Area& area);
  bool Write(int row, int column, const std::string& text);
  void ClearSelection();
  // A locked cell of a protected sheet is refused as the user starts to change it: true then.
  bool RefuseLocked(int row, int column);
  // After an edit made from the grid: its sheet active and its cells selected.
  void ShowEdited(const excel_window::Place& where);
  void ChooseBook(int tab);
  void ChooseSheet(int tab);
  void OpenDialog();
  void OpenFile(const std::string& path);
  void SaveActiveBook();
  void SaveAsDialog(std::function<void()> saved = {});
  bool SaveAs(const std::weak_ptr<BookModel>& book, const std::string& path);
  void ExportPdf(const std::weak_ptr<BookModel>& book, const std::string& path, bool wholeWorkbook);
  void PrintActiveBook(bool preview);
  bool Save(const std::shared_ptr<BookModel>& book);
  // The save question for a changed workbook; `then` runs once it is saved or its changes are
  // dropped, not when the user cancels.
  void AskToSave(const std::shared_ptr<BookModel>& book, std::function<void()> then);
  void CloseActiveBook();
  void CloseBook(const std::weak_ptr<BookModel>& book);
  bool Quit();

  void ShowMessage(const std::string& text);
  void UserActed();

  std::shared_ptr<excel::ExcelApplication> app_;
  office::windows::UserActed acted_;

  std::unique_ptr<MainWindow> main_;
  QTabBar* bookTabs_ = nullptr;
  QLineEdit* nameBox_ = nullptr;
  QLineEdit* formulaLine_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  SheetTableModel* model_ = nullptr;
  SheetGrid* grid_ = nullptr;
  std::unique_ptr<GridHabits> habits_;
  QTabBar* sheetTabs_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QAction* save_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* print_ = nullptr;
  QAction* preview_ = nullptr;
  QAction* close_ = nullptr;

  std::vector<const BookModel*> shownBooks_;
  std::vector<std::string> shownBookNames_;
  std::vector<std::pair<excel::SheetId, std::string>> shownSheets_;
  std::optional<SelectionState> applied_;  // the selection the grid shows, as the model had it
  // The cell the formula line shows; while the user edits the line for it, Sync leaves it be.
  struct FormulaCell {
    const BookModel* book = nullptr;
    excel::SheetId sheet = excel::kOwnSheet;
    int row = 0, column = 0;
    bool operator==(const FormulaCell&) const = default;
  };
  FormulaCell formulaCell_;

  bool syncing_ = false;           // the windows are being set from the model: not the user
  bool inSync_ = false;
  bool selectionPending_ = false;  // the user changed the grid's selection; not yet in the model
};

class Guard {
 public:
  explicit Guard(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~Guard() { flag_ = was_; }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  bool& flag_;
  bool was_;
};

ExcelWindows::ExcelWindows(std::shared_ptr<excel::ExcelApplication> app, office::windows::UserActed acted)
    : app_(std::move(app)), acted_(std::move(acted)) {
  Build();
  Sync();
}

ExcelWindows::~ExcelWindows() {
  if (main_) main_->onClose = nullptr;
}

void ExcelWindows::Build() {
  main_ = std::make_unique<MainWindow>();
  main_->setObjectName("XLMAIN");
  main_->setWindowTitle("Excel");
  main_->resize(1180, 760);
  main_->onClose = [this] { return Quit(); };

  QMenu* file = main_->menuBar()->addMenu("文件(&F)");
  file->setObjectName("menuFile");
  QAction* open = file->addAction("打开(&O)…", [this] { OpenDialog(); });
  open->setObjectName("actionOpen");
  open->setShortcut(QKeySequence::Open);
  save_ = file->addAction("保存(&S)", [this] { SaveActiveBook(); });
  save_->setObjectName("actionSave");
  save_->setShortcut(QKeySequence::Save);
  saveAs_ = file->addAction("另存为(&A)…", [this] { SaveAsDialog(); });
  saveAs_->setObjectName("actionSaveAs");
  print_ = file->addAction("打印(&P)…", [this] { PrintActiveBook(false); });
  print_->setObjectName("actionPrint");
  print_->setShortcut(QKeySequence::Print);
  preview_ = file->addAction("打印预览(&V)", [this] { PrintActiveBook(true); });
  preview_->setObjectName("actionPrintPreview");
  preview_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F2));
  close_ = file->addAction("关闭(&C)", [this] { CloseActiveBook(); });
  close_->setObjectName("actionClose");
  file->addSeparator();
  QAction* quit = file->addAction("退出(&X)", [this] { Quit(); });
  quit->setObjectName("actionQuit");

  windowMenu_ = main_->menuBar()->addMenu("窗口(&W)");
  windowMenu_->setObjectName("menuWindow");
  QObject::connect(windowMenu_, &QMenu::aboutToShow, windowMenu_, [this] {
    windowMenu_->clear();
    const auto active = app_->activeBook();
    int i = 0;
    for (const auto& book : app_->books()) {
      const int tab = i++;
      QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(tab + 1).arg(QString::fromStdString(book->name)),
                                          [this, tab] { ChooseBook(tab); });
      a->setCheckable(true);
      a->setChecked(book == active);
    }
    if (i == 0) windowMenu_->addAction("(无)")->setEnabled(false);
  });

  auto* central = new QWidget;
  auto* page = new QVBoxLayout(central);
  page->setContentsMargins(0, 0, 0, 0);
  page->setSpacing(0);

  bookTabs_ = new QTabBar;
  bookTabs_->setObjectName("bookTabs");
  bookTabs_->setDocumentMode(true);
  bookTabs_->setExpanding(false);
  bookTabs_->setDrawBase(true);
  QObject::connect(bookTabs_, &QTabBar::currentChanged, bookTabs_, [this](int tab) {
    if (!syncing_) ChooseBook(tab);
  });
  page->addWidget(bookTabs_);

  auto* bar = new QWidget;
  bar->setObjectName("formulaBar");
  auto* barRow = new QHBoxLayout(bar);
  barRow->setContentsMargins(4, 3, 4, 3);
  barRow->setSpacing(4);
  nameBox_ = new QLineEdit;
  nameBox_->setObjectName("nameBox");
  nameBox_->setFixedWidth(110);
  QObject::connect(nameBox_, &QLineEdit::returnPressed, nameBox_, [this] {
    const auto area = excel::ParseAreaText(nameBox_->text().trimmed().toStdString());
    if (area && model_->sheet()) SelectThroughGrid(*area);
    else SyncFormulaBar();
    grid_->setFocus();
  });
  auto* fx = new QLabel("fx");
  fx->setObjectName("fxLabel");
  fx->setStyleSheet("QLabel { font-style: italic; color: #555; padding: 0 6px; }");
  formulaLine_ = new QLineEdit;
  formulaLine_->setObjectName("formulaLine");
  QObject::connect(formulaLine_, &QLineEdit::textEdited, formulaLine_, [this] {
    if (!formulaCell_.book || !RefuseLocked(formulaCell_.row, formulaCell_.column)) return;
    formulaLine_->setModified(false);
    formulaCell_ = {};
    SyncFormulaBar();
  });
  QObject::connect(formulaLine_, &QLineEdit::returnPressed, formulaLine_, [this] {
    if (!formulaLine_->isModified()) return grid_->setFocus();  // nothing typed, nothing written
    if (!model_->sheet() || !formulaCell_.book) return;
    const std::string text = formulaLine_->text().toStdString();
    formulaLine_->setModified(false);
    Write(formulaCell_.row, formulaCell_.column, text);
    formulaCell_ = {};
    SyncFormulaBar();
    grid_->setFocus();
  });
  barRow->addWidget(nameBox_);
  barRow->addWidget(fx);
  barRow->addWidget(formulaLine_, 1);
  page->addWidget(bar);

  stack_ = new QStackedWidget;
  auto* empty = new QWidget;
  empty->setObjectName("noWorkbook");
  empty->setAutoFillBackground(true);
  QPalette gray = empty->palette();
  gray.setColor(QPalette::Window, QColor(0xab, 0xab, 0xab));
  empty->setPalette(gray);
  stack_->addWidget(empty);

  auto* sheetPage = new QWidget;
  auto* sheetColumn = new QVBoxLayout(sheetPage);
  sheetColumn->setContentsMargins(0, 0, 0, 0);
  sheetColumn->setSpacing(0);
  model_ = new SheetTableModel([this](int row, int column, const std::string& text) { return Write(row, column, text); });
  model_->setParent(main_.get());
  grid_ = new SheetGrid(model_);
  grid_->onDeletePressed = [this] { ClearSelection(); };
  grid_->onEditStart = [this](const QModelIndex& index) { return !RefuseLocked(index.row() + 1, index.column() + 1); };
  habits_ = std::make_unique<GridHabits>(
      app_, GridHabits::Window{[this] {
                                 if (FlushSelection()) UserActed();
                               },
                               [this](const runtime::Error& e) { ShowMessage(Description(e)); },
                               [this] { ShowMessage(kChineseRefusals[0].second); },
                               [this](const excel_window::Place& where) { ShowEdited(where); }});
  grid_->onKey = [this](const QKeyEvent& event) { return habits_->HandleKey(event); };
  grid_->onColumnDragged = [this](int column, int pixels) {
    const int shown = excel_window::ColumnPixels(habits_->DragColumn(column + 1, pixels));
    Sync();
    UserActed();
    return shown;
  };
  QObject::connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, grid_, [this] { OnGridSelection(); });
  QObject::connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, grid_, [this] { OnGridSelection(); });
  sheetColumn->addWidget(grid_, 1);
  sheetTabs_ = new QTabBar;
  sheetTabs_->setObjectName("sheetTabs");
  sheetTabs_->setShape(QTabBar::RoundedSouth);
  sheetTabs_->setExpanding(false);
  sheetTabs_->setDrawBase(false);
  QObject::connect(sheetTabs_, &QTabBar::currentChanged, sheetTabs_, [this](int tab) {
    if (!syncing_) ChooseSheet(tab);
  });
  auto* tabsRow = new QHBoxLayout;
  tabsRow->setContentsMargins(0, 0, 0, 0);
  tabsRow->addWidget(sheetTabs_);
  tabsRow->addStretch(1);
  sheetColumn->addLayout(tabsRow);
  stack_->addWidget(sheetPage);
  page->addWidget(stack_, 1);

  main_->setCentralWidget(central);
  main_->statusBar()->showMessage("就绪");
}

std::shared_ptr<BookModel> ExcelWindows::Shared(const BookModel* book) const {
  if (!book || app_->hasQuit()) return nullptr;
  for (const auto& b : app_->books())
    if (b.get() == book) return b;
  return nullptr;
}

std::shared_ptr<BookModel> ExcelWindows::BookAt(int tab) const {
  if (tab < 0 || static_cast<std::size_t>(tab) >= app_->books().size()) return nullptr;
  return app_->books()[static_cast<std::size_t>(tab)];
}

// ---------------------------------------------------------------------------------------------
// From the model to the windows.

void ExcelWindows::Sync() {
  if (inSync_) return;
  Guard inSync(inSync_);
  // What the user selected an instant ago goes into the model first, so that it is not undone.
  if (FlushSelection()) QTimer::singleShot(0, main_.get(), [this] { UserActed(); });

  const bool running = !app_->hasQuit();
  const bool visible = running && app_->visible();
  if (!visible && main_->isVisible()) main_->hide();

  const auto book = running ? app_->activeBook() : nullptr;
  main_->setWindowTitle(book ? QString::fromStdString("Excel - " + book->name) : QString("Excel"));
  SyncBooks();
  SyncTarget(book);
  save_->setEnabled(book != nullptr);
  saveAs_->setEnabled(book != nullptr);
  print_->setEnabled(book != nullptr);
  preview_->setEnabled(book != nullptr);
  close_->setEnabled(book != nullptr);

  if (visible && !main_->isVisible()) main_->show();
  if (book && model_->Refresh(grid_->VisibleArea())) grid_->viewport()->update();
}

void ExcelWindows::SyncBooks() {
  std::vector<const BookModel*> books;
  std::vector<std::string> names;
  if (!app_->hasQuit())
    for (const auto& b : app_->books()) {
      books.push_back(b.get());
      names.push_back(b->name);
    }
  Guard quiet(syncing_);
  if (books != shownBooks_ || names != shownBookNames_) {
    while (bookTabs_->count() > 0) bookTabs_->removeTab(bookTabs_->count() - 1);
    for (const auto& name : names) bookTabs_->addTab(QString::fromStdString(name));
    shownBooks_ = std::move(books);
    shownBookNames_ = std::move(names);
  }
  const auto active = app_->hasQuit() ? nullptr : app_->activeBook();
  for (std::size_t i = 0; i < shownBooks_.size(); ++i)
    if (shownBooks_[i] == active.get()) bookTabs_->setCurrentIndex(static_cast<int>(i));
  bookTabs_->setVisible(!shownBooks_.empty());
}

void ExcelWindows::SyncSheets(BookModel* book) {
  std::vector<std::pair<excel::SheetId, std::string>> sheets;
  if (book)
    for (const auto& s : book->sheets())
      if (s->visibility == excel::SheetVisibility::Visible) sheets.emplace_back(s->id, s->name);
  Guard quiet(syncing_);
  if (sheets != shownSheets_) {
    while (sheetTabs_->count() > 0) sheetTabs_->removeTab(sheetTabs_->count() - 1);
    for (const auto& [id, name] : sheets) {
      const int tab = sheetTabs_->addTab(QString::fromStdString(name));
      sheetTabs_->setTabData(tab, id);
    }
    shownSheets_ = std::move(sheets);
    sheetTabs_->updateGeometry();  // a hidden tab bar does not tell its layout of new tabs
  }
  for (std::size_t i = 0; i < shownSheets_.size(); ++i)
    if (book && shownSheets_[i].first == book->activeSheet) sheetTabs_->setCurrentIndex(static_cast<int>(i));
}

void ExcelWindows::SyncTarget(const std::shared_ptr<BookModel>& book) {
  SheetModel* sheet = book ? book->Sheet(book->activeSheet) : nullptr;
  SyncSheets(sheet ? book.get() : nullptr);
  const bool changed = model_->book() != (sheet ? book.get() : nullptr) || model_->sheet() != sheet;
  if (changed) {
    grid_->DropEditor();
    model_->SetSheet(sheet ? book : nullptr, sheet ? sheet->id : excel::kOwnSheet);
    applied_.reset();
    formulaCell_ = {};
    grid_->viewport()->update();
  }
  if (stack_->currentIndex() != (sheet ? 1 : 0)) {
    stack_->setCurrentIndex(sheet ? 1 : 0);
    sheetTabs_->updateGeometry();
  }
  nameBox_->setEnabled(sheet != nullptr);
  formulaLine_->setEnabled(sheet != nullptr);
  if (!sheet) {
    nameBox_->clear();
    formulaLine_->clear();
    formulaCell_ = {};
    return;
  }
  grid_->ApplyLayout(*sheet);
  grid_->AllowColumnDrag(!sheet->protection.on || sheet->protection.allowFormattingCells);
  SyncSelection(changed);
  SyncFormulaBar();
}

void ExcelWindows::SyncSelection(bool force) {
  const SheetModel* sheet = model_->sheet();
  if (!sheet) return;
  const SelectionState state{sheet->selection, sheet->activeRow, sheet->activeColumn};
  if (!force && applied_ && *applied_ == state) return;
  ApplySelection(state);
  grid_->scrollTo(model_->index(state.row - 1, state.column - 1));
}

void ExcelWindows::ApplySelection(const SelectionState& state) {
  Guard quiet(syncing_);
  QItemSelectionModel* selection = grid_->selectionModel();
  const Area& a = state.area;
  selection->select(QItemSelection(model_->index(a.top - 1, a.left - 1), model_->index(a.bottom - 1, a.right - 1)),
                    QItemSelectionModel::ClearAndSelect);
  selection->setCurrentIndex(model_->index(state.row - 1, state.column - 1), QItemSelectionModel::NoUpdate);
  applied_ = state;
  selectionPending_ = false;
}

void ExcelWindows::SyncFormulaBar() {
  BookModel* book = model_->book();
  const SheetModel* sheet = model_->sheet();
  if (!book || !sheet) return;
  const int row = sheet->activeRow, column = sheet->activeColumn;
  if (!nameBox_->hasFocus()) nameBox_->setText(QString::fromStdString(CellName(row, column)));
  const FormulaCell cell{book, sheet->id, row, column};
  const bool sameCell = cell == formulaCell_;
  if (sameCell && formulaLine_->isModified()) return;  // the user is typing there
  const QString content = QString::fromStdString(book->ContentText(*sheet, row, column, excel::Notation::A1));
  if (formulaLine_->text() != content || !sameCell) formulaLine_->setText(content);
  formulaCell_ = cell;
}

// ---------------------------------------------------------------------------------------------
// From the user to the model.

void ExcelWindows::OnGridSelection() {
  if (syncing_ || selectionPending_) return;
  selectionPending_ = true;
  QTimer::singleShot(0, grid_, [this] {
    if (FlushSelection()) UserActed();
  });
}

// The grid's selection into the model as Range.Select: the selected cells' area (their bounding
// area when the user made several) and the grid's current cell as the active one, as Excel keeps
// the cell where a drag began.
bool ExcelWindows::FlushSelection() {
  if (!selectionPending_) return false;
  selectionPending_ = false;
  BookModel* book = model_->book();
  SheetModel* sheet = model_->sheet();
  const std::shared_ptr<BookModel> shared = Shared(book);
  if (!shared || !sheet) return false;
  const QModelIndex current = grid_->currentIndex();
  const QItemSelection selection = grid_->selectionModel()->selection();
  std::optional<Area> area;
  for (const QItemSelectionRange& r : selection) {
    const Area part{r.top() + 1, r.left() + 1, r.bottom() + 1, r.right() + 1};
    area = area ? excel::Bounding(*area, part) : part;
  }
  if (!area) {
    if (!current.isValid()) return false;
    area = Area{current.row() + 1, current.column() + 1, current.row() + 1, current.column() + 1};
  }
  SelectionState state{*area, area->top, area->left};
  for (const QModelIndex& cell : {grid_->Anchor(), current})
    if (cell.isValid() && area->contains(cell.row() + 1, cell.column() + 1)) {
      state.row = cell.row() + 1;
      state.column = cell.column() + 1;
      break;
    }
  if (applied_ && *applied_ == state) return false;
  try {
    app_->WorksheetObject(shared, sheet->id).toObject().obj("Range", excel::AddressText(*area, false, false)).call("Select");
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return false;
  }
  sheet->activeRow = state.row;
  sheet->activeColumn = state.column;
  applied_ = state;
  SyncFormulaBar();
  return true;
}

// As the user's click on the first cell, or a drag to the last.
void ExcelWindows::SelectThroughGrid(const Area& area) {
  if (!model_->sheet()) return;
  QItemSelectionModel* selection = grid_->selectionModel();
  const QModelIndex first = model_->index(area.top - 1, area.left - 1);
  selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  selection->select(QItemSelection(first, model_->index(area.bottom - 1, area.right - 1)), QItemSelectionModel::ClearAndSelect);
  grid_->scrollTo(first);
  if (FlushSelection()) UserActed();
}

// What the user typed into a cell, as Range.Value = text: a number text becomes a number, "=..."
// a formula; the member's checks refuse a locked cell of a protected sheet.
bool ExcelWindows::Write(int row, int column, const std::string& text) {
  if (FlushSelection()) UserActed();
  BookModel* book = model_->book();
  const SheetModel* sheet = model_->sheet();
  const std::shared_ptr<BookModel> shared = Shared(book);
  if (!shared || !sheet) return false;
  try {
    habits_->history().Record({{shared, sheet->id, {row, column, row, column}}}, [&] {
      app_->WorksheetObject(shared, sheet->id).toObject().obj("Range", CellName(row, column)).put("Value", text);
    });
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return false;
  }
  formulaCell_ = {};
  SyncFormulaBar();
  if (model_->Refresh(grid_->VisibleArea())) grid_->viewport()->update();
  UserActed();
  return true;
}

// The Delete key: the selection's contents cleared, as Range.ClearContents.
void ExcelWindows::ClearSelection() {
  if (FlushSelection()) UserActed();
  const SheetModel* sheet = model_->sheet();
  const std::shared_ptr<BookModel> book = Shared(model_->book());
  if (!sheet || !book) return;
  try {
    habits_->history().Record({{book, sheet->id, sheet->selection}}, [&] {
      app_->WorksheetObject(book, sheet->id).toObject().obj("Range", excel::AddressText(sheet->selection, false, false)).call("ClearContents");
    });
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return;
  }
  formulaCell_ = {};
  Sync();
  UserActed();
}

bool ExcelWindows::RefuseLocked(int row, int column) {
  const SheetModel* sheet = model_->sheet();
  if (!sheet || sheet->Writable({row, column, row, column})) return false;
  ShowMessage(kChineseRefusals[0].second);
  return true;
}

void ExcelWindows::ShowEdited(const excel_window::Place& where) {
  try {
    app_->WorksheetObject(where.book, where.sheet).toObject().call("Activate");
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
  }
  formulaCell_ = {};
  Sync();
  const SheetModel* sheet = model_->sheet();
  if (model_->book() == where.book.get() && sheet && sheet->id == where.sheet) SelectThroughGrid(where.area);
  Sync();
  UserActed();
}

void ExcelWindows::ChooseBook(int tab) {
  const auto book = BookAt(tab);
  if (!book || book == app_->activeBook()) return;
  try {
    app_->WorkbookObject(book).toObject().call("Activate");
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
  }
  Sync();
  UserActed();
}

void ExcelWindows::ChooseSheet(int tab) {
  const auto book = app_->activeBook();
  if (!book || tab < 0 || tab >= sheetTabs_->count()) return;
  const excel::SheetId id = sheetTabs_->tabData(tab).toInt();
  if (id == book->activeSheet) return;
  try {
    app_->WorksheetObject(book, id).toObject().call("Activate");
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
  }
  Sync();
  UserActed();
}

void ExcelWindows::OpenDialog() {
  auto* dialog = new QFileDialog(main_.get(), "打开", QString(), "所有 Excel 文件 (*.xl*);;所有文件 (*)");
  dialog->setObjectName("xlOpenDialog");
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QFileDialog::fileSelected, main_.get(), [this](const QString& path) { OpenFile(path.toStdString()); });
  dialog->open();
}

// As Workbooks.Open: a template opens as a new workbook based on it.
void ExcelWindows::OpenFile(const std::string& path) {
  if (app_->hasQuit()) return;
  try {
    Xl().obj("Workbooks").call("Open", path);
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return;
  }
  Sync();
  UserActed();
}

// 保存: into the workbook's own file; a workbook never saved asks for a name first.
void ExcelWindows::SaveActiveBook() {
  const auto book = app_->activeBook();
  if (!book) return;
  if (book->path.empty()) return SaveAsDialog();
  if (Save(book)) {
    Sync();
    UserActed();
  }
}

bool ExcelWindows::Save(const std::shared_ptr<BookModel>& book) {
  try {
    app_->WorkbookObject(book).toObject().call("Save");
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return false;
  }
  return true;
}

void ExcelWindows::SaveAsDialog(std::function<void()> saved) {
  const auto book = app_->activeBook();
  if (!book) return;
  const std::string start = book->path.empty() ? book->name + ".xlsx" : book->path;
  auto* dialog = new QFileDialog(main_.get(), "另存为", QString::fromStdString(start),
                                 QStringList{"Excel 工作簿 (*.xlsx)", "Excel 模板 (*.xltx)", "Excel 97-2003 工作簿 (*.xls)", kSheetPdf,
                                             kWorkbookPdf, "所有文件 (*)"}
                                     .join(";;"));
  dialog->setObjectName("xlSaveAsDialog");
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setWindowModality(Qt::WindowModal);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  std::weak_ptr<BookModel> target = book;
  QObject::connect(dialog, &QFileDialog::fileSelected, main_.get(), [this, dialog, target, saved](const QString& path) {
    const QString filter = dialog->selectedNameFilter();
    if (filter == kSheetPdf || filter == kWorkbookPdf || path.endsWith(".pdf", Qt::CaseInsensitive))
      return ExportPdf(target, path.endsWith(".pdf", Qt::CaseInsensitive) ? path.toStdString() : path.toStdString() + ".pdf",
                       filter == kWorkbookPdf);
    if (SaveAs(target, path.toStdString()) && saved) saved();
  });
  dialog->open();
}

bool ExcelWindows::SaveAs(const std::weak_ptr<BookModel>& target, const std::string& path) {
  const auto book = target.lock();
  if (!book || !IsOpen(book.get()) || app_->hasQuit()) return false;
  try {
    app_->WorkbookObject(book).toObject().call("SaveAs", path);
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return false;
  }
  Sync();
  UserActed();
  return true;
}

// A PDF is an export: the workbook keeps its file and its changes stay unsaved.
void ExcelWindows::ExportPdf(const std::weak_ptr<BookModel>& target, const std::string& path, bool wholeWorkbook) {
  const auto book = target.lock();
  if (!book || !IsOpen(book.get())) return;
  try {
    if (!excel_window::WritePdf(book, wholeWorkbook, path)) ShowMessage(NothingToPrint().toStdString());
  } catch (const office::FileAccessError& e) {
    ShowMessage("无法保存“" + path + "”：" + e.what());
  }
}

// 打印 and 打印预览 print the active sheet, as Excel does unless told otherwise.
void ExcelWindows::PrintActiveBook(bool preview) {
  const auto book = app_->activeBook();
  if (!book) return;
  const auto open = preview ? OpenPrintPreview : OpenPrintDialog;
  open(main_.get(), excel_window::ExcelPaper(), QString::fromStdString(book->name), excel_window::PrintedBook(book, false));
}

void ExcelWindows::AskToSave(const std::shared_ptr<BookModel>& book, std::function<void()> then) {
  app_->Activate(book);
  Sync();
  std::weak_ptr<BookModel> target = book;
  AskToSaveChanges(main_.get(), "Microsoft Excel", QString::fromStdString("是否保存对“" + book->name + "”的更改？"),
                   [this, target, then](SaveAnswer answer) {
                     const auto b = target.lock();
                     if (!b || !IsOpen(b.get()) || app_->hasQuit() || answer == SaveAnswer::Cancel) return;
                     if (answer == SaveAnswer::DontSave) return then();
                     if (b->path.empty()) return SaveAsDialog(then);
                     if (Save(b)) then();
                   });
}

void ExcelWindows::CloseActiveBook() {
  const auto book = app_->activeBook();
  if (!book) return;
  if (!book->Saved()) return AskToSave(book, [this, target = std::weak_ptr<BookModel>(book)] { CloseBook(target); });
  CloseBook(book);
}

// Asked or not, the workbook closes as it is now: its changes were saved or are dropped.
void ExcelWindows::CloseBook(const std::weak_ptr<BookModel>& target) {
  const auto book = target.lock();
  if (!book || !IsOpen(book.get())) return;
  try {
    app_->WorkbookObject(book).toObject().call("Close", false);
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return;
  }
  Sync();
  UserActed();
}

// 退出, or the main window closed: Application.Quit, once each changed workbook is saved or its
// changes dropped, as the user answers; a cancel leaves Excel running. The host may drop these
// windows when told, so it is told once this event is done with them.
bool ExcelWindows::Quit() {
  if (app_->hasQuit()) return true;
  grid_->DropEditor();
  for (const auto& book : app_->books())
    if (!book->Saved()) {
      AskToSave(book, [this, target = std::weak_ptr<BookModel>(book)] {
        CloseBook(target);
        Quit();
      });
      return false;
    }
  try {
    Xl().call("Quit");
  } catch (const runtime::Error& e) {
    ShowMessage(Description(e));
    return false;
  }
  main_->hide();
  model_->SetSheet(nullptr, excel::kOwnSheet);
  QTimer::singleShot(0, qApp, [acted = acted_] {
    if (acted) acted();
  });
  return true;
}

void ExcelWindows::ShowMessage(const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, "Microsoft Excel", QString::fromStdString(text), QMessageBox::Ok, main_.get());
  box->setObjectName("xlMessage");
  box->setWindowModality(Qt::WindowModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void ExcelWindows::UserActed() {
  if (acted_) acted_();
}

// ---------------------------------------------------------------------------------------------

std::vector<QWidget*> ExcelWindows::Shown() const {
  std::vector<QWidget*> shown;
  if (!main_->isVisible()) return shown;
  shown.push_back(main_.get());
  for (QDialog* dialog : main_->findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
    if (dialog->isVisible()) shown.push_back(dialog);
  return shown;
}

bool ExcelWindows::Perform(const std::vector<std::string>& action) {
  if (action.empty() || app_->hasQuit()) return false;
  const std::string& what = action[0];
  if (what == "type" && action.size() == 3) {
    const auto area = excel::ParseAreaText(action[1]);
    if (!area || !model_->sheet()) return false;
    SelectThroughGrid(*area);
    const SheetModel* sheet = model_->sheet();
    model_->setData(model_->index(sheet->activeRow - 1, sheet->activeColumn - 1), QString::fromStdString(action[2]), Qt::EditRole);
    return true;
  }
  if (what == "select" && action.size() == 2) {
    const auto area = excel::ParseAreaText(action[1]);
    if (!area || !model_->sheet()) return false;
    SelectThroughGrid(*area);
    return true;
  }
  if ((what == "sheet" || what == "book") && action.size() == 2) {
    QTabBar* tabs = what == "sheet" ? sheetTabs_ : bookTabs_;
    const QString name = QString::fromStdString(action[1]);
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->tabText(i).compare(name, Qt::CaseInsensitive) == 0) {
        if (tabs->currentIndex() == i) {
          // A click on the current tab: it is chosen already, unless the model moved on.
          if (what == "sheet") ChooseSheet(i);
          else ChooseBook(i);
        } else {
          tabs->setCurrentIndex(i);
        }
        return true;
      }
    return false;
  }
  return false;
}

}  // namespace

std::unique_ptr<ApplicationWindows> MakeExcelWindows(std::shared_ptr<excel::ExcelApplication> app, UserActed acted) {
  return std::make_unique<ExcelWindows>(std::move(app), std::move(acted));
}

}  // namespace office::windows
