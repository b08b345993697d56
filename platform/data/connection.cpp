#include "platform/data/connection.h"

#include <atomic>

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "platform/data/provider_errors.h"
#include "platform/runtime/error.h"
#include "platform/runtime/program_folder.h"

namespace data {

namespace {

constexpr const char* kProvider = "Microsoft.Jet.OLEDB.4.0";

std::string Trimmed(const std::string& text) { return QString::fromStdString(text).trimmed().toStdString(); }

bool SameWord(const std::string& a, const char* b) { return QString::fromStdString(a).compare(b, Qt::CaseInsensitive) == 0; }

// The name of the column that a constraint message of SQLite ends with ("…: Table1.序号").
std::string ConstraintColumn(const QString& message) {
  const QString tail = message.section(':', -1).trimmed();
  return tail.section('.', -1).toStdString();
}

}  // namespace

std::string DataSourcePath(const std::string& connectionText) {
  std::string provider, source;
  for (const QString& part : QString::fromStdString(connectionText).split(';')) {
    const qsizetype equals = part.indexOf('=');
    if (equals < 0) continue;
    const std::string key = Trimmed(part.left(equals).toStdString());
    const std::string value = Trimmed(part.mid(equals + 1).toStdString());
    if (SameWord(key, "Provider")) provider = value;
    if (SameWord(key, "Data Source")) source = value;
  }
  if (!SameWord(provider, kProvider)) runtime::Raise(errors::kProviderNotFound, "未找到提供程序 '" + provider + "'。");
  if (source.empty()) runtime::Raise(errors::kUnspecified, "连接字符串没有指定数据源。");
  for (char& c : source)
    if (c == '\\') c = '/';
  if (source.find('/') == std::string::npos) source = runtime::ProgramFolder() + "/" + source;
  return source;
}

Connection::Connection(const std::string& path) : path_(path) {
  static std::atomic<int> serial = 0;
  if (!QFileInfo(QString::fromStdString(path)).isFile()) runtime::Raise(errors::kUnspecified, "找不到文件 '" + path + "'。");
  name_ = QStringLiteral("qorvane-data-%1").arg(++serial);
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name_);
  db.setDatabaseName(QString::fromStdString(path));
  db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=3000");
  // SQLite opens any file lazily: the first read tells whether it is a database.
  const bool open = db.open() && QSqlQuery("select count(*) from sqlite_master", db).next();
  if (!open) {
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
    runtime::Raise(errors::kUnspecified, "不可识别的数据库格式 '" + path + "'。");
  }
}

Connection::~Connection() {
  QSqlDatabase::database(name_, false).close();
  QSqlDatabase::removeDatabase(name_);
}

std::optional<std::vector<std::string>> Connection::Columns(const std::string& name, std::string& table) const {
  QSqlQuery tables = Prepare("select name from sqlite_master where type = 'table' and name not like 'sqlite\\_%' escape '\\'");
  if (!tables.exec()) Fail(tables.lastError(), {});
  while (tables.next()) {
    const QString candidate = tables.value(0).toString();
    if (candidate.compare(QString::fromStdString(name), Qt::CaseInsensitive) != 0) continue;
    table = candidate.toStdString();
    QSqlQuery info = Prepare("pragma table_info(" + QuotedName(table) + ")");
    if (!info.exec()) Fail(info.lastError(), table);
    std::vector<std::string> columns;
    while (info.next()) columns.push_back(info.value(1).toString().toStdString());
    return columns;
  }
  return std::nullopt;
}

QSqlQuery Connection::Prepare(const QString& sql) const {
  QSqlQuery query(QSqlDatabase::database(name_, false));
  query.setForwardOnly(true);
  if (!query.prepare(sql)) Fail(query.lastError(), {});
  return query;
}

void Connection::Fail(const QSqlError& error, const std::string& table) {
  const int code = error.nativeErrorCode().toInt() & 0xff;
  const QString message = error.databaseText();
  constexpr int kConstraint = 19, kMismatch = 20;
  if (code == kConstraint || message.contains("constraint failed")) {
    const std::string column = ConstraintColumn(message);
    if (message.contains("NOT NULL"))
      runtime::Raise(errors::kIntegrityViolation, "字段 '" + table + "." + column + "' 必须有值，这一行没有保存。");
    if (message.contains("UNIQUE") || message.contains("PRIMARY"))
      runtime::Raise(errors::kIntegrityViolation,
                     "字段 '" + column + "' 的值与表中已有的一行重复，这一行没有保存。请改变该字段的值后再试。");
    runtime::Raise(errors::kIntegrityViolation, "这一行不符合表 '" + table + "' 的规则，没有保存：" + message.toStdString());
  }
  if (code == kMismatch || message.contains("mismatch"))
    runtime::Raise(errors::kTypeMismatch, "数据类型不匹配：这一列只能保存数字。");
  runtime::Raise(errors::kUnspecified, "数据库操作失败：" + message.toStdString());
}

QString QuotedName(const std::string& name) {
  QString quoted = QString::fromStdString(name);
  quoted.replace('"', "\"\"");
  return '"' + quoted + '"';
}

}  // namespace data
