#include "platform/data/recordset.h"

#include <algorithm>

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include "platform/data/connection.h"
#include "platform/data/provider_errors.h"
#include "platform/runtime/error.h"

namespace data {

namespace {

constexpr long kItemNotFound = -2146825023;  // 0x800A0CC1
constexpr std::size_t kBlocksKept = 2;

automation::Variant FromSql(const QVariant& value) {
  if (value.isNull()) return automation::Null{};
  switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
      const qlonglong number = value.toLongLong();
      if (number >= INT32_MIN && number <= INT32_MAX) return static_cast<std::int32_t>(number);
      return static_cast<double>(number);
    }
    case QMetaType::Double: return value.toDouble();
    default: return value.toString().toStdString();
  }
}

QVariant ToSql(const automation::Variant& value) {
  switch (value.kind()) {
    case automation::Variant::Kind::Empty:
    case automation::Variant::Kind::Null: return QVariant(QMetaType::fromType<QString>());
    case automation::Variant::Kind::Int16:
    case automation::Variant::Kind::Int32: return value.toInt32();
    case automation::Variant::Kind::Double: return value.toDouble();
    default: return QString::fromStdString(value.toText());
  }
}

QString Placeholders(std::size_t count) {
  QStringList marks;
  for (std::size_t i = 0; i < count; ++i) marks << "?";
  return marks.join(',');
}

}  // namespace

Recordset::Recordset(std::shared_ptr<const Connection> connection, Command command)
    : connection_(std::move(connection)), command_(std::move(command)) {
  QString sql = "select rowid from " + QuotedName(command_.table);
  if (command_.condition) sql += " where ifnull(cast(" + QuotedName(command_.condition->column) + " as text), '') like ? escape '\\'";
  QSqlQuery query = connection_->Prepare(sql + " order by rowid");
  if (command_.condition) query.addBindValue(QString::fromStdString(command_.condition->pattern));
  if (!query.exec()) Connection::Fail(query.lastError(), command_.table);
  while (query.next()) ids_.push_back(query.value(0).toLongLong());
  position_ = ids_.empty() ? 0 : 1;
}

Recordset::Recordset(std::vector<std::string> columns) { command_.columns = std::move(columns); }

int Recordset::RecordCount() const { return static_cast<int>(ids_.size()) + (adding_ ? 1 : 0); }

int Recordset::FieldIndex(const std::string& name) const {
  const auto it = std::find(command_.columns.begin(), command_.columns.end(), name);
  return it == command_.columns.end() ? -1 : static_cast<int>(it - command_.columns.begin());
}

void Recordset::RequireCurrent() const {
  if (position_ == 0)
    runtime::Raise(errors::kNoCurrentRecord, "BOF 或 EOF 中有一个为真，或者当前记录已被删除，所需的操作要求一个当前的记录。");
}

void Recordset::Notify(Change change, int position) {
  if (Changed) Changed(change, position);
}

void Recordset::Move(int position) {
  if (position < 1 || position > RecordCount()) runtime::Raise(errors::kNoCurrentRecord, "没有这一行：" + std::to_string(position));
  if (position == position_) return;
  Leave();
  position_ = std::min(position, RecordCount());
  Notify(Change::Current, position_);
}

automation::Variant Recordset::Fields(int index) const {
  RequireCurrent();
  if (index < 0 || index >= FieldCount()) runtime::Raise(kItemNotFound, "在对应所需名称或序数的集合中，未找到项目。");
  return Value(position_, index);
}

automation::Variant Recordset::Value(int position, int index) const {
  if (index < 0 || index >= FieldCount() || position < 1 || position > RecordCount()) return automation::Null{};
  if (position == position_) {
    const auto edited = edits_.find(index);
    if (edited != edits_.end()) return edited->second;
    if (adding_) return automation::Null{};
  }
  const Row* row = Stored(position);
  return row != nullptr ? (*row)[index] : automation::Variant(automation::Null{});
}

// A row deleted by another program since the command ran reads as empty.
const Recordset::Row* Recordset::Stored(int position) const {
  const int first = (position - 1) / kBlockRows * kBlockRows + 1;
  auto block = std::find_if(blocks_.begin(), blocks_.end(), [&](const Block& b) { return b.first == first; });
  if (block == blocks_.end()) {
    Block read{first, {}};
    const int last = std::min<int>(first + kBlockRows - 1, static_cast<int>(ids_.size()));
    read.rows.resize(static_cast<std::size_t>(std::max(0, last - first + 1)));
    QStringList columns{"rowid"};
    for (const std::string& column : command_.columns) columns << QuotedName(column);
    try {
      QSqlQuery query = connection_->Prepare("select " + columns.join(',') + " from " + QuotedName(command_.table) +
                                             " where rowid in (" + Placeholders(read.rows.size()) + ")");
      std::map<std::int64_t, std::size_t> slot;
      for (int p = first; p <= last; ++p) {
        query.addBindValue(static_cast<qlonglong>(ids_[p - 1]));
        slot[ids_[p - 1]] = static_cast<std::size_t>(p - first);
      }
      if (query.exec()) {
        while (query.next()) {
          Row row;
          for (int i = 1; i <= FieldCount(); ++i) row.push_back(FromSql(query.value(i)));
          read.rows[slot[query.value(0).toLongLong()]] = std::move(row);
        }
      }
    } catch (const runtime::Error&) {
      // shown as empty rows; the next read tries again
      return nullptr;
    }
    if (blocks_.size() == kBlocksKept) blocks_.pop_back();
    blocks_.insert(blocks_.begin(), std::move(read));
    block = blocks_.begin();
  } else if (block != blocks_.begin()) {
    std::rotate(blocks_.begin(), block, block + 1);
    block = blocks_.begin();
  }
  const std::size_t offset = static_cast<std::size_t>(position - first);
  return offset < block->rows.size() && block->rows[offset] ? &*block->rows[offset] : nullptr;
}

void Recordset::Forget(int position) {
  const int first = (position - 1) / kBlockRows * kBlockRows + 1;
  std::erase_if(blocks_, [&](const Block& b) { return b.first == first; });
}

void Recordset::setField(int index, const automation::Variant& value) {
  RequireCurrent();
  if (index < 0 || index >= FieldCount()) runtime::Raise(kItemNotFound, "在对应所需名称或序数的集合中，未找到项目。");
  edits_[index] = value;
  Notify(Change::Row, position_);
}

void Recordset::Leave() {
  if (adding_ && edits_.empty()) CancelUpdate();
  else Update();
}

void Recordset::AddNew() {
  if (!connection_) runtime::Raise(errors::kNotOpen, "对象关闭时，不允许操作。");
  Leave();
  adding_ = true;
  position_ = RecordCount();
  Notify(Change::Rows);
}

void Recordset::Update() {
  if (!EditPending()) return;
  QStringList names;
  for (const auto& [index, value] : edits_) names << QuotedName(command_.columns[static_cast<std::size_t>(index)]);
  const QString table = QuotedName(command_.table);
  QString sql;
  if (adding_) {
    sql = edits_.empty() ? "insert into " + table + " default values"
                         : "insert into " + table + " (" + names.join(',') + ") values (" + Placeholders(edits_.size()) + ")";
  } else {
    for (QString& name : names) name += " = ?";
    sql = "update " + table + " set " + names.join(',') + " where rowid = ?";
  }
  QSqlQuery query = connection_->Prepare(sql + " returning rowid");
  for (const auto& [index, value] : edits_) query.addBindValue(ToSql(value));
  if (!adding_) query.addBindValue(static_cast<qlonglong>(ids_[static_cast<std::size_t>(position_ - 1)]));
  if (!query.exec()) Connection::Fail(query.lastError(), command_.table);
  if (!query.next()) runtime::Raise(errors::kNoCurrentRecord, "这一行已被其他用户删除。");
  const std::int64_t id = query.value(0).toLongLong();  // a changed key column may move the rowid
  if (adding_) ids_.push_back(id);
  else ids_[static_cast<std::size_t>(position_ - 1)] = id;
  adding_ = false;
  edits_.clear();
  Forget(position_);
  Notify(Change::Row, position_);
}

void Recordset::CancelUpdate() {
  if (adding_) {
    adding_ = false;
    edits_.clear();
    position_ = std::min(position_, RecordCount());
    Notify(Change::Rows);
    return;
  }
  edits_.clear();
  Notify(Change::Row, position_);
}

void Recordset::Delete() {
  RequireCurrent();
  if (adding_) {
    CancelUpdate();
    return;
  }
  QSqlQuery query = connection_->Prepare("delete from " + QuotedName(command_.table) + " where rowid = ?");
  query.addBindValue(static_cast<qlonglong>(ids_[static_cast<std::size_t>(position_ - 1)]));
  if (!query.exec()) Connection::Fail(query.lastError(), command_.table);
  edits_.clear();
  ids_.erase(ids_.begin() + (position_ - 1));
  blocks_.clear();
  position_ = std::min(position_, RecordCount());
  Notify(Change::Rows);
}

}  // namespace data
