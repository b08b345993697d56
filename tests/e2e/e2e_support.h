#pragma once
// One end-to-end case: a folder of its own holding the program folder (copies of the programs
// and the templates), the office host's socket directory and the hot-key session, and the
// processes it starts. Everything it started ends with it.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace e2e {

using namespace std::chrono_literals;

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds within = 20s);

struct Output {
  int status;
  std::string out;
};

class Case {
 public:
  Case();
  ~Case();
  Case(const Case&) = delete;
  Case& operator=(const Case&) = delete;

  const std::string& programFolder() const { return bin_; }

  // Starts a program of the program folder offscreen with the script lines; its log goes to a
  // file of its own, named after the run.
  pid_t Start(const std::string& program, const std::string& run, const std::string& script);
  // This case's office host, started before anything else asks for one; without windows it
  // serves as on a machine without a display. Returns once it serves.
  void StartHost(bool windows);
  // The exit status once the process has ended within the time; -1 when it still runs.
  int WaitForEnd(pid_t pid, std::chrono::milliseconds within = 30s);
  std::vector<nlohmann::json> Log(const std::string& run) const;
  // Waits for the first log line with these members; false when none came in time.
  bool WaitForLog(const std::string& run, const nlohmann::json& match, std::chrono::milliseconds within = 20s) const;

  // officectl from the build's program folder, on this case's host.
  Output Officectl(const std::vector<std::string>& args) const;
  // The printed result of officectl eval, without its line feed.
  std::string Eval(const std::string& expression) const;

  // The office host's shown windows saved as test artefacts NAME-1.png, NAME-2.png, …; the files.
  std::vector<std::string> Screenshots(const std::string& name) const;
  // A user's action in the windows of a running application (see the windows' Perform).
  void Perform(const std::string& progid, const std::vector<std::string>& action) const;

  // The requests this case's office host has served, by operation (see office::HostRequestCounts).
  std::map<std::string, std::int64_t> HostRequests() const;

  // The process of this case's office host; 0 when none serves.
  pid_t HostPid() const;

  // Seconds of processor time the process has used so far.
  static double ProcessorSeconds(pid_t pid);

 private:
  pid_t Spawn(const std::string& path, const std::vector<std::string>& args, const std::vector<std::string>& env,
              int out, bool display = true) const;

  std::string dir_, bin_, socket_, session_;
  std::vector<pid_t> started_;
};

// Matches a log line when every member of the match is there with the same value.
bool Matches(const nlohmann::json& line, const nlohmann::json& match);
int Count(const std::vector<nlohmann::json>& log, const nlohmann::json& match);

// Estivo's toolbar window in the log, and the script lines that end a run as the user would.
inline const nlohmann::json kShown = {{"event", "form"}, {"form", "gongjulan"}, {"action", "shown"}};
inline const nlohmann::json kClosed = {{"event", "form"}, {"form", "gongjulan"}, {"action", "closed"}};
inline constexpr const char* kQuit = "answer yes\nclose gongjulan\n";

// Excel running with a market workbook from the template, its comparison sheet 市场法计算表 active.
void MarketComparisonSheet(const Case& c);
// Script lines: the case query opened from the toolbar and a search for cases whose building name
// begins with the prefix.
std::string CaseQuerySearch(const std::string& prefix);

}  // namespace e2e
