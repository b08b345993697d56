#pragma once
// An open case database: a SQLite file under the name the programs use, reached through the
// connection text of the data control.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QString>

class QSqlError;
class QSqlQuery;

namespace data {

// The file a connection text names: "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=…;…". The
// provider must be that one; a data source without a folder lies in the program folder, and
// either separator may stand in it.
std::string DataSourcePath(const std::string& connectionText);

class Connection {
 public:
  // The file must exist and be a database; otherwise the provider's error, and nothing is created.
  explicit Connection(const std::string& path);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const std::string& path() const { return path_; }
  // The columns of a table found by name in any letter case, with the table's own spelling.
  std::optional<std::vector<std::string>> Columns(const std::string& name, std::string& table) const;
  // A query on this database, prepared; a failure is the provider's error.
  QSqlQuery Prepare(const QString& sql) const;
  [[noreturn]] static void Fail(const QSqlError& error, const std::string& table);

 private:
  std::string path_;
  QString name_;  // Qt's name of the connection
};

// A name quoted for SQLite: only names read from the database itself get here.
QString QuotedName(const std::string& name);

}  // namespace data
