// The case database program's tests: a screen 1920 by 1080 pixels large, offscreen, and a Qt
// application; the cases copy the shipped databases into the test program's folder.

#include <gtest/gtest.h>

#include <fstream>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/ui/program.h"
#include "platform/ui/scripted_answers.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QTemporaryDir dir;
  const QString screens = dir.filePath("screens.json");
  std::ofstream(screens.toStdString())
      << R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
      << R"( "logicalDpi": 96, "logicalBase": 96, "dpr": 1}]})";
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toUtf8());
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ui::SetScriptedRun(true);
  const int result = RUN_ALL_TESTS();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
