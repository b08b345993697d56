#pragma once
// What the case database program's cases share: fresh copies of the shipped databases and the
// help document in the program folder, Word and Access in this process, the window of one build,
// and the message boxes of the case.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <nlohmann/json.hpp>

#include "casedb/case_database_settings.h"
#include "casedb/form1.h"
#include "platform/office/access/access_application.h"
#include "platform/office/host/client.h"
#include "platform/office/word/word_application.h"
#include "platform/ui/form.h"
#include "platform/ui/program.h"
#include "platform/ui/test_support.h"

namespace casedb_testing {

namespace fs = std::filesystem;

inline office::ApplicationRegistry WordAndAccess() {
  office::ApplicationRegistry registry;
  registry.Register("Word.Application", office::word::CreateWordApplication);
  registry.Register("Access.Application", office::access::CreateAccessApplication);
  return registry;
}

class CaseDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"db.mdb", "td.mdb", "房地产交易案例价格维护.doc"})
      fs::copy_file(fs::path(QORVANE_BIN_DIR) / file, Folder() / file, fs::copy_options::overwrite_existing);
  }
  void TearDown() override {
    ui::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static fs::path Folder() { return fs::path(ui::ProgramFolder()); }

  // The window of Hausdex or Plotdex, loaded as the program loads it.
  static Form1& Load(const char* program) {
    casedb::UseSettingsOf(program);
    ui::SetProgramTitle(std::string(casedb::ThisProgram().caption));
    return ui::Default<Form1>();
  }
  static Form1* Loaded() { return static_cast<Form1*>(ui::FindLoadedForm("Form1")); }
  static void Press(Form1& w, const std::string& key) { w.Toolbar1.ScriptPress(key); }

  // One column of Table1 in the table's order, read through a connection of its own.
  static std::vector<std::string> Column(const char* file, const char* column) {
    std::vector<std::string> values;
    {
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "reader");
      db.setDatabaseName(QString::fromStdString((Folder() / file).string()));
      db.open();
      QSqlQuery query(db);
      query.exec(QString("select \"%1\" from Table1 order by rowid").arg(column));
      while (query.next()) values.push_back(query.value(0).toString().toStdString());
    }
    QSqlDatabase::removeDatabase("reader");
    return values;
  }
  std::vector<nlohmann::json> Boxes() const {
    std::vector<nlohmann::json> boxes;
    for (const auto& e : log_.entries())
      if (e["event"] == "msgbox") boxes.push_back(e);
    return boxes;
  }

  office::InProcessOffice office_{WordAndAccess()};
  ui::testing::CapturedLog log_;
  ui::testing::ScriptedRunScope scripted_;
};

}  // namespace casedb_testing
