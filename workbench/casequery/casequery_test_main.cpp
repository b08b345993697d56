// The case query's tests: a Qt application, and a small house case database "db.mdb" in the test
// program's folder, which is its program folder.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/runtime/program_folder.h"
#include "workbench/casequery/casequery_test_cases.h"
#include "workbench/casequery/house_case_fixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const auto cases = casequery_testing::Cases();
  casequery_testing::WriteHouseCases(runtime::ProgramFolder() + "/db.mdb", static_cast<int>(cases.size()),
                                     [&](int number) { return cases[static_cast<std::size_t>(number - 1)]; });
  const int result = RUN_ALL_TESTS();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
