// How long a refresher takes as a person runs it: the program started, its question answered,
// the report refreshed in the office host's Word, with the host's windows (offscreen) and
// without; and how many requests it sends the host. Run by hand, not by ctest, on a quiet machine:
//   build/bench/refresh_benchmark [RUNS [WHICH]]   (7 runs a figure unless told; WHICH: only the
//                                                  figures whose name holds that text)
// Each figure is printed as min / median / max seconds from the program's start to its end. The
// program fails when a market refresh takes more than kMostRoundTrips round trips.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/e2e/e2e_support.h"

namespace e2e {
namespace {

constexpr std::int64_t kMostRoundTrips = 2500;
constexpr auto kReportShown = 1s;

struct Refresh {
  const char* name;
  const char* program;
  const char* workbook;
  const char* report;
  const char* script;
  bool windows = true;
  int textCopies = 1;      // the report's main text this many times over
  int tables = 1;          // calculation tables in the workbook
};

const char* const kMarketReport = "房产估价报告(市场法和收益法).dot";

// The report template with its main text repeated; its tables come along, so that the result
// tables keep their numbers.
std::string RepeatedReport(const Case& c, const std::string& report, int copies) {
  if (copies == 1) return report;
  const std::string folder = c.programFolder() + "/";
  std::ifstream in(folder + report);
  nlohmann::json document = nlohmann::json::parse(in);
  const nlohmann::json once = document.at("main");
  for (int i = 1; i < copies; ++i)
    for (const auto& block : once) document["main"].push_back(block);
  const std::string name = std::to_string(copies) + "x" + report;
  std::ofstream(folder + name) << document.dump();
  return name;
}

struct Sample {
  std::vector<double> seconds;
  std::map<std::string, std::int64_t> requests;  // of the last run
};

std::map<std::string, std::int64_t> Difference(std::map<std::string, std::int64_t> after,
                                               const std::map<std::string, std::int64_t>& before) {
  for (const auto& [op, n] : before) after[op] -= n;
  --after["requests"];  // the asking itself
  std::erase_if(after, [](const auto& entry) { return entry.second == 0; });
  return after;
}

// Empty from a host that does not count its requests.
std::map<std::string, std::int64_t> Requests(const Case& c) {
  try {
    return c.HostRequests();
  } catch (const std::exception&) {
    return {};
  }
}

Sample Measure(const Refresh& r, int runs) {
  Case c;
  c.StartHost(r.windows);
  c.Officectl({"run", "Excel"});
  c.Officectl({"run", "Word"});
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/" + r.workbook + "\")");
  c.Eval("Excel.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"");
  if (r.tables > 1) {
    std::string script;
    for (int i = 1; i < r.tables; ++i) script += "answer yes\ntoolbar gongjulan.Toolbar1 增加计算表\n";
    const pid_t add = c.Start("Estivo", "tables", script + kQuit);
    if (c.WaitForEnd(add, 600s) != 0) throw std::runtime_error("the calculation tables were not added");
  }
  const std::string report = RepeatedReport(c, r.report, r.textCopies);
  Sample sample;
  for (int run = 0; run < runs; ++run) {
    c.Eval("Word.Documents.Add(\"" + c.programFolder() + "/" + report + "\")");
    // As a person starts the refresh: once the new report shows.
    std::this_thread::sleep_for(kReportShown);
    const auto before = Requests(c);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = c.Start(r.program, "run" + std::to_string(run), r.script);
    if (c.WaitForEnd(pid, 600s) != 0) throw std::runtime_error(std::string(r.program) + " failed");
    sample.seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    const auto after = Requests(c);
    if (!after.empty()) sample.requests = Difference(after, before);
    c.Eval("Word.ActiveDocument.Close(0)");
  }
  return sample;
}

std::int64_t RoundTrips(const std::map<std::string, std::int64_t>& requests) {
  std::int64_t n = 0;
  for (const auto& [op, count] : requests)
    if (op != "release") n += count;  // a release is sent with the next request and not answered
  return n;
}

void Print(const Refresh& r, const Sample& s) {
  std::vector<double> t = s.seconds;
  std::sort(t.begin(), t.end());
  std::printf("%-34s %s  %6.3f / %6.3f / %6.3f s  (%zu runs)  round trips %lld:", r.name,
              r.windows ? "windows   " : "no windows", t.front(), t[t.size() / 2], t.back(), t.size(),
              s.requests.empty() ? -1LL : static_cast<long long>(RoundTrips(s.requests)));
  for (const auto& [op, n] : s.requests) std::printf(" %s %lld", op.c_str(), static_cast<long long>(n));
  std::printf("\n    in order:");
  for (double seconds : s.seconds) std::printf(" %.3f", seconds);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  using e2e::Refresh;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::string which = argc > 2 ? argv[2] : "";
  const char* market = "click Form2.Command1\n";
  const std::vector<Refresh> refreshes{
      {"Refrella, market report", "Refrella", "市场法.xlt", e2e::kMarketReport, market, true},
      {"Refrella, market report", "Refrella", "市场法.xlt", e2e::kMarketReport, market, false},
      {"Refrella2, cost report", "Refrella2", "成本法.xlt", "房产估价报告( 成本法).dot", "answer yes\n", true},
      {"Refrella, 8 times the report text", "Refrella", "市场法.xlt", e2e::kMarketReport, market, true, 8},
      {"Refrella, 8 times the report text", "Refrella", "市场法.xlt", e2e::kMarketReport, market, false, 8},
      {"Refrella, 50 calculation tables", "Refrella", "市场法.xlt", e2e::kMarketReport, market, true, 1, 50},
  };
  bool withinCount = true;
  for (const Refresh& r : refreshes) {
    if (std::string(r.name).find(which) == std::string::npos) continue;
    const e2e::Sample sample = e2e::Measure(r, runs);
    e2e::Print(r, sample);
    if (std::string(r.program) == "Refrella" && r.textCopies == 1 && r.tables == 1)
      withinCount = withinCount && !sample.requests.empty() && e2e::RoundTrips(sample.requests) <= e2e::kMostRoundTrips;
  }
  if (!withinCount) std::printf("FAILED: a market refresh took more than %lld round trips\n",
                                static_cast<long long>(e2e::kMostRoundTrips));
  return withinCount ? 0 : 1;
}
