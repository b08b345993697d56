#include "platform/data/data_grid.h"

#include <algorithm>

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>

#include "platform/data/adodc.h"
#include "platform/runtime/error.h"
#include "platform/ui/form.h"

namespace data {

namespace {
constexpr long kInvalidRowNumber = 6148;
}

class GridModel : public QAbstractTableModel {
 public:
  explicit GridModel(DataGrid& grid) : grid_(grid) {}

  int rowCount(const QModelIndex& parent) const override {
    const Recordset* rows = grid_.Rows();
    return parent.isValid() || rows == nullptr ? 0 : rows->RecordCount();
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : grid_.ColumnCount(); }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    const Recordset* rows = grid_.Rows();
    if (rows == nullptr) return {};
    const automation::Variant value = rows->Value(index.row() + 1, grid_.FieldOf(index.column()));
    if (value.isNull() || value.isEmpty()) return QString();
    try {
      return ui::Q(value.toText());
    } catch (const runtime::Error&) {
      return QString();
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return ui::Q(grid_.ColumnCaption(section));
    const Recordset* rows = grid_.Rows();
    if (rows == nullptr || section + 1 != rows->AbsolutePosition()) return QString();
    return rows->EditPending() ? QStringLiteral("✎") : QStringLiteral("▶");
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (grid_.AllowUpdate()) flags |= Qt::ItemIsEditable;
    return flags;
  }

  // Typing goes into the current row's buffer; it is saved when the current row changes.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    Recordset* rows = grid_.Rows();
    if (role != Qt::EditRole || rows == nullptr || !grid_.AllowUpdate()) return false;
    if (index.row() + 1 != rows->AbsolutePosition() && !grid_.source_->MoveForUser(index.row() + 1)) return false;
    const QString text = value.toString();
    try {
      rows->setField(grid_.FieldOf(index.column()),
                     text.isEmpty() ? automation::Variant(automation::Null{}) : automation::Variant(ui::S(text)));
    } catch (const runtime::Error&) {
      return false;
    }
    return true;
  }

  void Reset() {
    beginResetModel();
    endResetModel();
  }
  void RowChanged(int position) {
    emit dataChanged(index(position - 1, 0), index(position - 1, columnCount({}) - 1));
    emit headerDataChanged(Qt::Vertical, position - 1, position - 1);
  }

 private:
  DataGrid& grid_;
};

DataGrid::DataGrid(ui::Form& form, std::string name)
    : Control(form, std::move(name), new QTableView), view_(static_cast<QTableView*>(widget())) {
  model_ = std::make_unique<GridModel>(*this);
  view_->setModel(model_.get());
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setWordWrap(false);
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  view_->verticalHeader()->setMinimumWidth(view_->fontMetrics().horizontalAdvance("✎") + 12);
  setAllowUpdate(true);
  QObject::connect(view_->selectionModel(), &QItemSelectionModel::currentChanged,
                   [this](const QModelIndex& current, const QModelIndex&) {
                     if (!following_ && current.isValid()) ViewMoved(current.row(), current.column());
                   });
}

DataGrid::~DataGrid() {
  if (source_ != nullptr) source_->Unbind(this);
  view_->setModel(nullptr);
}

// Bound again to its own control, the grid already shows the rows of its last refresh.
void DataGrid::setDataSource(Adodc& source) {
  if (source_ == &source) return;
  if (source_ != nullptr) source_->Unbind(this);
  source_ = &source;
  source.Bind([this](Recordset::Change change, int position) { Follow(change, position); }, this);
  Follow(Recordset::Change::Rows, 0);
}

void DataGrid::setColumns(std::vector<GridColumn> columns) {
  columns_ = std::move(columns);
  model_->Reset();
}

void DataGrid::setAllowUpdate(bool allow) {
  allowUpdate_ = allow;
  view_->setEditTriggers(allow ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::AnyKeyPressed
                               : QAbstractItemView::NoEditTriggers);
}

Recordset* DataGrid::Rows() const { return source_ == nullptr ? nullptr : source_->rows(); }

int DataGrid::ColumnCount() const {
  if (!columns_.empty()) return static_cast<int>(columns_.size());
  const Recordset* rows = Rows();
  return rows == nullptr ? 0 : rows->FieldCount();
}

int DataGrid::FieldOf(int column) const {
  if (columns_.empty()) return column;
  const Recordset* rows = Rows();
  return rows == nullptr ? -1 : rows->FieldIndex(columns_[static_cast<std::size_t>(column)].DataField);
}

std::string DataGrid::ColumnCaption(int column) const {
  if (!columns_.empty()) return columns_[static_cast<std::size_t>(column)].Caption;
  const Recordset* rows = Rows();
  return rows == nullptr ? std::string() : rows->FieldNames()[static_cast<std::size_t>(column)];
}

QWidget& DataGrid::hWnd() const { return *view_; }

int DataGrid::ApproxCount() const {
  const Recordset* rows = Rows();
  return rows == nullptr ? 0 : rows->RecordCount();
}

int DataGrid::Bookmark() const {
  const Recordset* rows = Rows();
  return rows == nullptr ? 0 : rows->AbsolutePosition();
}

void DataGrid::setBookmark(int bookmark) {
  if (source_ == nullptr) runtime::Raise(kInvalidRowNumber, "无效的行号");
  source_->recordset().Move(bookmark);
}

int DataGrid::FirstRow() const {
  if (ApproxCount() == 0) return 0;
  return std::max(0, view_->rowAt(0)) + 1;
}

int DataGrid::VisibleRows() const {
  if (ApproxCount() == 0) return 0;
  const int last = view_->rowAt(view_->viewport()->height() - 1);
  return (last < 0 ? ApproxCount() - 1 : last) - (FirstRow() - 1) + 1;
}

int DataGrid::Row() const {
  if (Bookmark() == 0) runtime::Raise(kInvalidRowNumber, "无效的行号");
  return Bookmark() - FirstRow();
}

void DataGrid::setRow(int row) { setBookmark(FirstRow() + row); }

std::string DataGrid::Text(int bookmark, int column) const {
  return ui::S(model_->data(model_->index(bookmark - 1, column), Qt::DisplayRole).toString());
}

void DataGrid::Follow(Recordset::Change change, int position) {
  switch (change) {
    case Recordset::Change::Rows:
      model_->Reset();
      FitColumns();
      ShowCurrent();
      Report(true);
      break;
    case Recordset::Change::Row: model_->RowChanged(position); break;
    case Recordset::Change::Current:
      ShowCurrent();
      Report(false);
      break;
  }
}

// Wide enough for the heading and the first rows: a large table is never read through for it.
void DataGrid::FitColumns() {
  constexpr int kRowsMeasured = 40, kPadding = 16, kWidest = 320;
  const QFontMetrics heading(view_->horizontalHeader()->font()), cell(view_->font());
  const int rows = std::min(ApproxCount(), kRowsMeasured);
  for (int column = 0; column < ColumnCount(); ++column) {
    int width = heading.horizontalAdvance(ui::Q(ColumnCaption(column)));
    for (int row = 1; row <= rows; ++row) width = std::max(width, cell.horizontalAdvance(ui::Q(Text(row, column))));
    view_->setColumnWidth(column, std::min(width + kPadding, kWidest));
  }
}

// The view's current cell on the control's current row, kept in view.
void DataGrid::ShowCurrent() {
  following_ = true;
  const int bookmark = Bookmark();
  if (bookmark == 0) {
    view_->selectionModel()->clearCurrentIndex();
    view_->clearSelection();
  } else {
    col_ = std::clamp(col_, 0, std::max(0, ColumnCount() - 1));
    const QModelIndex cell = model_->index(bookmark - 1, col_);
    view_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(cell);
  }
  emit model_->headerDataChanged(Qt::Vertical, 0, std::max(0, ApproxCount() - 1));
  following_ = false;
}

void DataGrid::Report(bool always) {
  const int row = Bookmark();
  if (!always && row == reportedRow_ && col_ == reportedCol_) return;
  const int lastRow = reportedRow_, lastCol = reportedCol_;
  reportedRow_ = row;
  reportedCol_ = col_;
  Fire(RowColChange, lastRow, lastCol);
}

// The user put the current cell on another row or column.
void DataGrid::ViewMoved(int row, int column) {
  const int previousCol = col_;
  col_ = column;
  if (row + 1 != Bookmark() && (source_ == nullptr || !source_->MoveForUser(row + 1))) {
    col_ = previousCol;
    ShowCurrent();  // the row keeps the current cell
    return;
  }
  Report(false);
}

void DataGrid::ScriptGoTo(int bookmark, int column) {
  if (column == 0) column = col_ + 1;
  if (bookmark < 1 || bookmark > ApproxCount()) throw ui::ScriptError(name() + " has no row " + std::to_string(bookmark));
  if (column < 1 || column > ColumnCount()) throw ui::ScriptError(name() + " has no column " + std::to_string(column));
  view_->setFocus();
  view_->selectionModel()->setCurrentIndex(model_->index(bookmark - 1, column - 1),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DataGrid::ScriptEdit(int bookmark, int column, const std::string& text) {
  if (!allowUpdate_) Refuse("edited");
  ScriptGoTo(bookmark, column);
  if (Bookmark() == bookmark) model_->setData(model_->index(bookmark - 1, column - 1), ui::Q(text), Qt::EditRole);
}

ui::LogEntry DataGrid::Dump() const {
  ui::LogEntry entry = Control::Dump();
  entry["rows"] = ApproxCount();
  entry["row"] = Bookmark();
  entry["firstRow"] = FirstRow();
  ui::LogEntry texts = ui::LogEntry::array();
  for (int column = 0; Bookmark() > 0 && column < ColumnCount(); ++column) texts.push_back(Text(Bookmark(), column));
  entry["texts"] = texts;
  return entry;
}

}  // namespace data
