#include "platform/ui/registry.h"

#include <fstream>

#include <QStandardPaths>

#include "platform/automation/member_table.h"

namespace ui {

namespace {
std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}
}  // namespace

Registry::Registry(std::string path) : path_(std::move(path)) {}

std::unique_ptr<Registry> Registry::MakeDefault() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return std::make_unique<Registry>((folder + "/Qorvane/registry.ini").toStdString());
}

std::optional<std::string> Registry::ReadString(const std::string& root, const std::string& key,
                                                const std::string& valueName) const {
  std::ifstream file(path_);
  const std::string wantedSection = automation::FoldCase(root + "\\" + key);
  const std::string wantedName = automation::FoldCase(valueName);
  bool inSection = false;
  for (std::string line; std::getline(file, line);) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      inSection = automation::FoldCase(Trim(line.substr(1, line.size() - 2))) == wantedSection;
      continue;
    }
    const auto equals = line.find('=');
    if (!inSection || equals == std::string::npos) continue;
    if (automation::FoldCase(Trim(line.substr(0, equals))) == wantedName) return Trim(line.substr(equals + 1));
  }
  return std::nullopt;
}

}  // namespace ui
