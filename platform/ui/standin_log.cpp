#include "platform/ui/standin_log.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QCoreApplication>

namespace ui {

void LogEvent(const char* event, const LogEntry& fields) {
  const char* path = std::getenv("STANDIN_LOG");
  if (path == nullptr || *path == '\0') return;
  LogEntry line = {{"event", event}, {"program", QCoreApplication::applicationName().toStdString()}};
  for (const auto& [key, value] : fields.items()) line[key] = value;
  // Opened per line and closed at once: the program may end the process without unwinding.
  std::FILE* file = std::fopen(path, "a");
  if (file == nullptr) return;
  const std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

}  // namespace ui
