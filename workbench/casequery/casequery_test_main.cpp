// The case query's tests: a Qt application, and a small house case database "db.mdb" in the test
// program's folder, which is its program folder. Test processes run side by side, so the file is
// written under a name of this process and renamed; its content is always the same.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include "common/casetables/house_case_table.h"
#include "platform/runtime/program_folder.h"
#include "workbench/casequery/casequery_test_cases.h"

namespace {

void WriteCaseDatabase() {
  const std::filesystem::path target = std::filesystem::path(runtime::ProgramFolder()) / "db.mdb";
  const std::string temporary = target.string() + "." + std::to_string(getpid());
  std::filesystem::remove(temporary);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
    db.setDatabaseName(QString::fromStdString(temporary));
    db.open();
    QStringList columns, marks;
    for (const auto& column : casetables::kHouseColumns) {
      columns << "\"" + QString::fromUtf8(column.name.data(), static_cast<qsizetype>(column.name.size())) + "\"";
      marks << "?";
    }
    QSqlQuery(db).exec("create table Table1 (" + columns.join(" text,") + " text)");
    QSqlQuery insert(db);
    insert.prepare("insert into Table1 values (" + marks.join(',') + ")");
    for (const auto& row : casequery_testing::Cases()) {
      for (const auto& value : row) insert.addBindValue(value ? QString::fromStdString(*value) : QString());
      insert.exec();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase("fixture");
  std::filesystem::rename(temporary, target);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  WriteCaseDatabase();
  const int result = RUN_ALL_TESTS();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
