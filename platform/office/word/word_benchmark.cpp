// Replace-all over a report the size of a real one: 100 pages are some 200 000 characters with
// 2 000 placeholder fields and 10 tables. Run by hand (not by ctest): build/bench/word_benchmark.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/office/word/story.h"
#include "platform/office/word/word_application.h"

namespace office::word {
namespace {

using automation::Named;
using automation::Object;

constexpr int kFieldsPerPage = 20;

// Keys of Chinese only, or with ASCII letters, whose case the search then folds.
std::string Key(int i, bool letters) { return (letters ? "{sc市场_" : "{市场_") + std::to_string(i) + "}"; }

constexpr const char* kRepeatedKey = "{市场_重复}";

// 20 paragraphs of about 100 characters a page, each with one TITLE field; a table every 10 pages.
// The first `repeated` fields show one key, kRepeatedKey.
std::string ReportFile(int pages, bool letters, int repeated = 0) {
  nlohmann::json main = nlohmann::json::array();
  std::string prose;
  for (int i = 0; i < 45; ++i) prose += "估价";
  for (int p = 0; p < pages; ++p) {
    for (int f = 0; f < kFieldsPerPage; ++f) {
      const int n = p * kFieldsPerPage + f;
      const std::string key = n < repeated ? kRepeatedKey : Key(n % 1000, letters);
      main.push_back({{"paragraph", {{{"text", prose}}, {{"code", "TITLE " + key}, {"result", key}}}}});
    }
    if (p % 10 == 9) {
      nlohmann::json rows = nlohmann::json::array();
      for (int r = 0; r < 10; ++r) {
        nlohmann::json cells = nlohmann::json::array();
        for (int c = 0; c < 9; ++c) cells.push_back({{{"text", "12,345.60"}}});
        rows.push_back(cells);
      }
      main.push_back({{"table", rows}});
    }
  }
  const auto path = std::filesystem::temp_directory_path() /
                    ("qv_word_benchmark_" + std::to_string(pages) + "_" + std::to_string(repeated) + ".doc");
  std::ofstream(path) << nlohmann::json{{"main", main}}.dump();
  return path.string();
}

struct Report {
  Report(int pages, bool withLetters, int repeated = 0) : letters(withLetters) {
    const std::string path = ReportFile(pages, letters, repeated);
    app.obj("Documents").call("Open", path);
    std::filesystem::remove(path);
    selection = app.obj("Selection");
    selection.call("WholeStory");
    selection.obj("Fields").call("Update");
    selection.call("MoveUp", Named("Unit", 4), Named("Count", 1));
    find = selection.obj("Find");
    characters = static_cast<double>(CharCount(app.obj("ActiveDocument").obj("Content").get("Text").toText()));
  }
  bool ReplaceAll(const std::string& key, const std::string& value) const {
    find.put("Text", key);
    find.obj("Replacement").put("Text", value);
    return find.call("Execute", Named("Replace", 2), Named("Forward", true)).toBool();
  }
  bool letters;
  double characters = 0;  // as shown, field codes not counted
  Object app{CreateWordApplication()};
  Object selection, find;
};

// One replace-all; the key and its value swap places each time, so every run replaces.
void BM_ReplaceAll(benchmark::State& state) {
  const Report report(static_cast<int>(state.range(0)), state.range(1) != 0);
  const std::string key = Key(100, report.letters), value = "1,234.56";
  bool forth = true;
  for (auto _ : state) {
    if (!report.ReplaceAll(forth ? key : value, forth ? value : key)) state.SkipWithError("no match");
    forth = !forth;
  }
  state.counters["characters"] = report.characters;
  state.SetLabel(std::to_string(state.range(0)) + " pages" + (report.letters ? ", keys with letters" : ""));
}
BENCHMARK(BM_ReplaceAll)->ArgsProduct({{25, 50, 100, 200}, {0, 1}})->Unit(benchmark::kMicrosecond);

// One replace-all that makes m replacements in a report of 100 pages: one pass over the story and
// m edits, so the time grows by the edits alone, never by m passes.
void BM_ReplaceAllMatches(benchmark::State& state) {
  const int matches = static_cast<int>(state.range(0));
  const Report report(100, false, matches);
  const std::string key = kRepeatedKey, value = "{市场_替换}";
  bool forth = true;
  for (auto _ : state) {
    if (!report.ReplaceAll(forth ? key : value, forth ? value : key)) state.SkipWithError("no match");
    forth = !forth;
  }
  state.SetLabel(std::to_string(matches) + " replacements");
}
BENCHMARK(BM_ReplaceAllMatches)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

// The shape of one report refresh: whole story, field update, move up, 1 000 replace-alls.
void BM_Refresh(benchmark::State& state) {
  const Report report(static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    report.selection.call("WholeStory");
    report.selection.obj("Fields").call("Update");
    report.selection.call("MoveUp", Named("Unit", 4), Named("Count", 1));
    for (int i = 0; i < 1000; ++i) report.ReplaceAll(Key(i, report.letters), "1,234.56");
  }
  state.SetLabel(std::to_string(state.range(0)) + " pages" + (report.letters ? ", keys with letters" : ""));
}
BENCHMARK(BM_Refresh)->ArgsProduct({{25, 50, 100, 200}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace office::word

BENCHMARK_MAIN();
