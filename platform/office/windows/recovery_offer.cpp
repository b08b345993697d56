#include "platform/office/windows/recovery_offer.h"

#include <QDateTime>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/office/recovery/keeper.h"
#include "platform/runtime/error.h"

namespace office::windows {
namespace {

using recovery::Keeper;
using recovery::LeftCopy;

QString Describe(const LeftCopy& copy) {
  QString text = QString::fromStdString(copy.info.name);
  if (!copy.info.path.empty()) text += "\n" + QString::fromStdString(copy.info.path);
  return text + "\n" + QDateTime::fromSecsSinceEpoch(copy.written).toString("yyyy-MM-dd HH:mm");
}

class RecoveryOffer : public ApplicationWindows {
 public:
  RecoveryOffer(std::unique_ptr<ApplicationWindows> windows, const std::shared_ptr<Application>& app, Keeper& keeper,
                std::string progid)
      : windows_(std::move(windows)), app_(app), keeper_(keeper), progid_(std::move(progid)) {}
  ~RecoveryOffer() override { KeepTheRestForLater(); }

  void Sync() override {
    windows_->Sync();
    const auto app = app_.lock();
    if (offered_ || !app || app->hasQuit() || !app->visible()) return;
    offered_ = true;
    std::vector<LeftCopy> copies = keeper_.TakeLeftCopies(progid_);
    if (!copies.empty()) Show(std::move(copies));
  }

  std::vector<QWidget*> Shown() const override {
    std::vector<QWidget*> shown = windows_->Shown();
    if (dialog_ && dialog_->isVisible()) shown.push_back(dialog_.get());
    return shown;
  }

  bool Perform(const std::vector<std::string>& action) override {
    if (action.empty() || action[0] != "recovered") return windows_->Perform(action);
    if (!dialog_ || !dialog_->isVisible() || action.size() < 2) return false;
    if (action.size() == 2 && action[1] == "全部打开") return openAll_->click(), true;
    if (action.size() == 2 && action[1] == "全部放弃") return discardAll_->click(), true;
    if (action.size() != 3) return false;
    for (Row& row : rows_)
      if (!row.done && row.copy.info.name == action[2]) {
        if (action[1] == "打开") return row.open->click(), true;
        if (action[1] == "放弃") return row.discard->click(), true;
      }
    return false;
  }

 private:
  struct Row {
    LeftCopy copy;
    std::vector<QWidget*> widgets;
    QPushButton* open = nullptr;
    QPushButton* discard = nullptr;
    QLabel* error = nullptr;
    bool done = false;
  };

  void Show(std::vector<LeftCopy> copies) {
    dialog_ = std::make_unique<QDialog>();
    dialog_->setObjectName("recoveryOffer");
    dialog_->setWindowTitle("文档恢复");
    auto* layout = new QVBoxLayout(dialog_.get());
    auto* heading = new QLabel("以下文件已恢复…");
    heading->setObjectName("heading");
    layout->addWidget(heading);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    rows_.reserve(copies.size());
    for (LeftCopy& copy : copies) {
      const int at = static_cast<int>(rows_.size());
      const QString n = QString::number(at + 1);
      Row& row = rows_.emplace_back();
      row.copy = std::move(copy);
      auto* label = new QLabel(Describe(row.copy));
      label->setObjectName("copy" + n);
      row.open = new QPushButton("打开");
      row.open->setObjectName("open" + n);
      row.discard = new QPushButton("放弃");
      row.discard->setObjectName("discard" + n);
      row.error = new QLabel;
      row.error->setObjectName("error" + n);
      row.error->hide();
      grid->addWidget(label, 2 * at, 0);
      grid->addWidget(row.open, 2 * at, 1, Qt::AlignTop);
      grid->addWidget(row.discard, 2 * at, 2, Qt::AlignTop);
      grid->addWidget(row.error, 2 * at + 1, 0, 1, 3);
      row.widgets = {label, row.open, row.discard, row.error};
      QObject::connect(row.open, &QPushButton::clicked, dialog_.get(), [this, at] { Open(rows_[at]); });
      QObject::connect(row.discard, &QPushButton::clicked, dialog_.get(), [this, at] { Discard(rows_[at]); });
    }
    auto* all = new QHBoxLayout;
    all->addStretch();
    openAll_ = new QPushButton("全部打开");
    openAll_->setObjectName("openAll");
    discardAll_ = new QPushButton("全部放弃");
    discardAll_->setObjectName("discardAll");
    all->addWidget(openAll_);
    all->addWidget(discardAll_);
    layout->addLayout(all);
    QObject::connect(openAll_, &QPushButton::clicked, dialog_.get(), [this] { ForEachLeft([this](Row& row) { Open(row); }); });
    QObject::connect(discardAll_, &QPushButton::clicked, dialog_.get(), [this] { ForEachLeft([this](Row& row) { Discard(row); }); });
    QObject::connect(dialog_.get(), &QDialog::finished, dialog_.get(), [this] { KeepTheRestForLater(); });
    dialog_->show();
  }

  void ForEachLeft(const std::function<void(Row&)>& act) {
    for (Row& row : rows_)
      if (!row.done) act(row);
  }

  void Open(Row& row) {
    const auto app = app_.lock();
    if (!app || app->hasQuit()) return;
    try {
      keeper_.Open(row.copy, app);
    } catch (const runtime::Error& e) {
      return Refused(row, e.description());
    } catch (const std::exception& e) {
      return Refused(row, e.what());
    }
    Done(row);
    windows_->Sync();
  }

  void Discard(Row& row) {
    keeper_.Discard(row.copy);
    Done(row);
  }

  void Refused(Row& row, const std::string& why) {
    row.error->setText(QString::fromStdString(why));
    row.error->show();
    dialog_->adjustSize();
  }

  void Done(Row& row) {
    row.done = true;
    for (QWidget* w : row.widgets) w->hide();
    if (std::all_of(rows_.begin(), rows_.end(), [](const Row& r) { return r.done; })) dialog_->accept();
    else dialog_->adjustSize();
  }

  void KeepTheRestForLater() {
    for (Row& row : rows_)
      if (!row.done) {
        keeper_.KeepForLater(row.copy);
        row.done = true;
      }
  }

  std::unique_ptr<ApplicationWindows> windows_;
  std::weak_ptr<Application> app_;
  Keeper& keeper_;
  std::string progid_;
  bool offered_ = false;
  std::unique_ptr<QDialog> dialog_;
  std::vector<Row> rows_;
  QPushButton* openAll_ = nullptr;
  QPushButton* discardAll_ = nullptr;
};

}  // namespace

std::unique_ptr<ApplicationWindows> OfferingRecoveredCopies(std::unique_ptr<ApplicationWindows> windows,
                                                            const std::shared_ptr<Application>& app) {
  Keeper* keeper = Keeper::OfThisHost();
  if (!windows || !keeper) return windows;
  std::string progid = recovery::ProgidOf(*app);
  if (progid.empty()) return windows;
  return std::make_unique<RecoveryOffer>(std::move(windows), app, *keeper, std::move(progid));
}

}  // namespace office::windows
