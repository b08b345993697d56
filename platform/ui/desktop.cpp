#include "platform/ui/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/ui/standin_log.h"

namespace ui {

std::unique_ptr<Desktop> Desktop::MakeDefault() { return std::make_unique<Desktop>(); }

bool Desktop::Open(const std::string& fileOrAddress) {
  const QString target = QString::fromStdString(fileOrAddress);
  const bool isAddress = target.contains("://");
  bool opened = false;
  if (isAddress || QFileInfo::exists(target))
    opened = QDesktopServices::openUrl(isAddress ? QUrl(target) : QUrl::fromLocalFile(target));
  LogEvent("shell-open", {{"target", fileOrAddress}, {"done", opened}});
  return opened;
}

// A script is for the program it was given to: the started program runs without it.
bool Desktop::Start(const std::string& path) {
  QProcess process;
  process.setProgram(QString::fromStdString(path));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove("STANDIN_SCRIPT");
  process.setProcessEnvironment(environment);
  const bool started = process.startDetached();
  LogEvent("start", {{"path", path}, {"done", started}});
  return started;
}

}  // namespace ui
