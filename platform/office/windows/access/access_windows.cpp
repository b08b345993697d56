#include "platform/office/windows/access/access_windows.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlTableModel>
#include <QTableView>
#include <QUuid>

namespace office::windows {
namespace {

class TableWindow : public QMainWindow {
 public:
  explicit TableWindow(std::function<void()> closed) : closed_(std::move(closed)) {
    setObjectName("OMain");
    view_ = new QTableView(this);
    view_->setObjectName("datasheet");
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setCentralWidget(view_);
    resize(900, 600);
  }
  QTableView* view() const { return view_; }

 protected:
  // Closing the window is the user quitting Access.
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    closed_();
  }

 private:
  QTableView* view_;
  std::function<void()> closed_;
};

class AccessWindows : public ApplicationWindows {
 public:
  AccessWindows(std::shared_ptr<access::AccessApplication> app, UserActed acted)
      : app_(std::move(app)), acted_(std::move(acted)), connection_(QUuid::createUuid().toString()),
        window_([this] { Quit(); }) {}
  ~AccessWindows() override {
    window_.view()->setModel(nullptr);
    model_.reset();
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
  }

  void Sync() override {
    const auto& state = app_->state();
    const std::string table = state.openTables.empty() ? std::string() : state.openTables.back();
    if (state.currentDatabase != database_ || table != table_) Show(state.currentDatabase, table);
    if (!app_->visible() || app_->hasQuit()) {
      window_.hide();
      return;
    }
    const bool maximized = !table.empty() && state.maximizedTable == table;
    if (maximized && !window_.isMaximized()) window_.showMaximized();
    else if (!maximized && window_.isMaximized()) window_.showNormal();
    else window_.show();
  }

  std::vector<QWidget*> Shown() const override {
    if (!window_.isVisible()) return {};
    return {const_cast<TableWindow*>(&window_)};
  }

  bool Perform(const std::vector<std::string>&) override { return false; }

 private:
  void Show(const std::string& database, const std::string& table) {
    database_ = database, table_ = table;
    window_.view()->setModel(nullptr);
    model_.reset();
    QString title = "Access";
    if (!database.empty()) title += " - " + QFileInfo(QString::fromStdString(database)).fileName();
    if (!table.empty()) title += " : " + QString::fromStdString(table);
    window_.setWindowTitle(title);
    if (database.empty() || table.empty()) return;
    {
      QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                            : QSqlDatabase::addDatabase("QSQLITE", connection_);
      db.close();
      db.setDatabaseName(QString::fromStdString(database));
      if (!db.open()) return;
      model_ = std::make_unique<QSqlTableModel>(nullptr, db);
    }
    model_->setTable(QString::fromStdString(table));
    model_->setEditStrategy(QSqlTableModel::OnRowChange);
    model_->select();
    window_.view()->setModel(model_.get());
  }

  void Quit() {
    app_->Invoke("Quit", automation::InvokeKind::Call, {});
    acted_();
  }

  std::shared_ptr<access::AccessApplication> app_;
  UserActed acted_;
  QString connection_;
  std::string database_, table_;
  std::unique_ptr<QSqlTableModel> model_;
  TableWindow window_;
};

}  // namespace

std::unique_ptr<ApplicationWindows> MakeAccessWindows(std::shared_ptr<access::AccessApplication> app, UserActed acted) {
  return std::make_unique<AccessWindows>(std::move(app), std::move(acted));
}

}  // namespace office::windows
