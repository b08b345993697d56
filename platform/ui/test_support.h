#pragma once
// What the UI tests share: a captured STANDIN_LOG and a scripted run switched on for one case.

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <QTemporaryDir>
#include <nlohmann/json.hpp>

#include "platform/ui/scripted_answers.h"

namespace ui::testing {

class CapturedLog {
 public:
  CapturedLog() { setenv("STANDIN_LOG", path().c_str(), 1); }
  ~CapturedLog() { unsetenv("STANDIN_LOG"); }
  std::string path() const { return dir_.filePath("log.jsonl").toStdString(); }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    std::ifstream file(path());
    for (std::string line; std::getline(file, line);) out.push_back(line);
    return out;
  }
  std::vector<nlohmann::json> entries() const {
    std::vector<nlohmann::json> out;
    for (const std::string& line : lines()) out.push_back(nlohmann::json::parse(line));
    return out;
  }

 private:
  QTemporaryDir dir_;
};

class ScriptedRunScope {
 public:
  ScriptedRunScope() { SetScriptedRun(true); }
  ~ScriptedRunScope() {
    SetScriptedRun(false);
    while (TakeBoxAnswer()) {}
    while (TakeFileAnswer()) {}
  }
};

}  // namespace ui::testing
