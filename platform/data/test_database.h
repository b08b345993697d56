#pragma once
// Small case databases for the tests: a SQLite file with a Table1 like the house table's first
// columns, written through a connection of its own, and shown in a data control and its grid.

#include <string>
#include <vector>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include "platform/data/adodc.h"
#include "platform/data/data_grid.h"

namespace data::testing {

struct Case {
  QVariant number, name, price;
};

class TestDatabase {
 public:
  explicit TestDatabase(std::string path) : path_(std::move(path)) {
    auto db = QSqlDatabase::addDatabase("QSQLITE", "test-writer");
    db.setDatabaseName(QString::fromStdString(path_));
    db.open();
    Run(R"(create table Table1 ("序号" integer primary key not null, "建筑物名称" text, "交易价格" text))");
  }
  ~TestDatabase() {
    QSqlDatabase::database("test-writer", false).close();
    QSqlDatabase::removeDatabase("test-writer");
  }

  const std::string& path() const { return path_; }
  std::string connectionText() const { return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_ + ";Persist Security Info=False"; }

  void Add(const std::vector<Case>& cases) {
    auto db = QSqlDatabase::database("test-writer");
    db.transaction();
    QSqlQuery query(db);
    query.prepare(R"(insert into Table1 ("序号", "建筑物名称", "交易价格") values (?, ?, ?))");
    for (const Case& c : cases) {
      query.addBindValue(c.number);
      query.addBindValue(c.name);
      query.addBindValue(c.price);
      query.exec();
    }
    db.commit();
  }
  // Cases 1 to count: 案例N, priced 1000 + N.
  void AddNumbered(int count) {
    std::vector<Case> cases;
    for (int i = 1; i <= count; ++i) cases.push_back({i, QString("案例%1").arg(i), QString::number(1000 + i)});
    Add(cases);
  }
  // The data control reads the whole table, and the grid shows it.
  void Show(Adodc& control, DataGrid& grid) const {
    control.setConnectionString(connectionText());
    control.setRecordSource("Table1");
    control.Refresh();
    grid.setDataSource(control);
  }
  void Run(const QString& sql) { QSqlQuery(QSqlDatabase::database("test-writer")).exec(sql); }
  // One column of every row, in the table's order, as text ("NULL" for a missing value).
  std::vector<std::string> Column(const QString& column) {
    QSqlQuery query(QSqlDatabase::database("test-writer"));
    query.exec("select \"" + column + "\" from Table1 order by rowid");
    std::vector<std::string> values;
    while (query.next()) values.push_back(query.value(0).isNull() ? "NULL" : query.value(0).toString().toStdString());
    return values;
  }

 private:
  std::string path_;
};

}  // namespace data::testing
