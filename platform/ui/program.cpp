#include "platform/ui/program.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QEventLoop>
#include <QIcon>

#include "platform/ui/event.h"
#include "platform/ui/form.h"
#include "platform/ui/locale.h"
#include "platform/ui/script.h"

namespace ui {

namespace {
std::string& Title() {
  static std::string title;
  return title;
}
QEventLoop* g_runLoop = nullptr;
}  // namespace

const std::string& ProgramTitle() { return Title(); }
void SetProgramTitle(std::string title) { Title() = std::move(title); }

std::string ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

QIcon ProgramIcon(const std::string& name) { return QIcon(QString::fromStdString(":/icons/program_" + name + ".svg")); }

Program::Program(int& argc, char** argv, std::string name, std::string title)
    : application_(std::make_unique<QApplication>(argc, argv)), loop_(std::make_unique<QEventLoop>()) {
  QCoreApplication::setApplicationName(QString::fromStdString(name));
  QApplication::setWindowIcon(ProgramIcon(name));
  UseChineseLocale();
  // Forms end the program by being unloaded, not by closing their last window.
  QApplication::setQuitOnLastWindowClosed(false);
  SetProgramTitle(std::move(title));
  script_ = Script::FromEnvironment();
}

// Run returns only when no form is left; their instances go before the application does.
Program::~Program() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int Program::Run(const std::function<void()>& entry) {
  RunEvent(entry);
  if (!LoadedForms().empty()) {
    g_runLoop = loop_.get();
    loop_->exec();
    g_runLoop = nullptr;
  }
  return 0;
}

void LastFormUnloaded() {
  if (g_runLoop != nullptr) g_runLoop->quit();
}

void EndProcess() {
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace ui
