#include "workbench/casequery/house_case_fixture.h"

#include <unistd.h>

#include <filesystem>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include "common/casetables/house_case_table.h"

namespace casequery_testing {

void WriteHouseCases(const std::string& path, int count, const std::function<Row(int)>& row) {
  const std::string temporary = path + "." + std::to_string(getpid());
  std::filesystem::remove(temporary);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "house-cases");
    db.setDatabaseName(QString::fromStdString(temporary));
    db.open();
    QStringList columns, marks;
    for (const auto& column : casetables::kHouseColumns) {
      columns << "\"" + QString::fromUtf8(column.name.data(), static_cast<qsizetype>(column.name.size())) + "\" text";
      marks << "?";
    }
    columns[0] = columns[0].replace(" text", " integer primary key not null");
    QSqlQuery(db).exec("create table Table1 (" + columns.join(',') + ")");
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare("insert into Table1 values (" + marks.join(',') + ")");
    for (int number = 1; number <= count; ++number) {
      for (const auto& value : row(number)) insert.addBindValue(value ? QString::fromStdString(*value) : QString());
      insert.exec();
    }
    db.commit();
    db.close();
  }
  QSqlDatabase::removeDatabase("house-cases");
  std::filesystem::rename(temporary, path);
}

}  // namespace casequery_testing
