// The case query on a large case database: 100 000 house cases are written as "db.mdb" beside the
// benchmark (its program folder) when they are not there yet, then the window's load with its
// first rows drawn, a prefix search through the handler, and one wheel step are measured.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>

#include "common/casetables/house_case_table.h"
#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/runtime/program_folder.h"
#include "platform/ui/form.h"
#include "workbench/casequery/case_query_window.h"
#include "workbench/casequery/house_case_fixture.h"

namespace {

constexpr int kCases = 100000;

casequery_testing::Row GeneratedCase(int number) {
  casequery_testing::Row row;
  for (const auto& column : casetables::kHouseColumns) row.push_back(std::string(column.name) + std::to_string(number % 97));
  row[0] = std::to_string(number);
  row[1] = "楼盘" + std::to_string(number % 1000) + "号" + std::to_string(number) + "栋";
  row[2] = std::to_string(3000 + number % 9000);
  return row;
}

void EnsureDatabase() {
  const std::string path = runtime::ProgramFolder() + "/db.mdb";
  const std::string stamp = path + ".cases";
  std::ifstream written(stamp);
  int count = 0;
  if (std::filesystem::exists(path) && written >> count && count == kCases) return;
  casequery_testing::WriteHouseCases(path, kCases, GeneratedCase);
  std::ofstream(stamp) << kCases;
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

案例查询& Window() { return ui::Default<案例查询>(); }

void Draw() { Window().window().grab(); }

void BM_LoadAndDrawFirstRows(benchmark::State& state) {
  for (auto _ : state) {
    Draw();
    state.PauseTiming();
    ui::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
  Draw();
  state.counters["rows"] = Window().DataGrid1.ApproxCount();
  state.counters["resident_MB"] = ResidentKilobytes() / 1024.0;
}
BENCHMARK(BM_LoadAndDrawFirstRows)->Unit(benchmark::kMillisecond);

void BM_PrefixSearch(benchmark::State& state) {
  office::InProcessOffice office{[] {
    office::ApplicationRegistry registry;
    registry.Register("Excel.Application", [] { return excel::CreateExcelApplication(); });
    return registry;
  }()};
  const automation::Object xl = office::CreateObject("Excel.Application");
  xl.put("Visible", true);
  QTemporaryDir dir;
  const std::string book = dir.filePath("项目.xls").toStdString();
  std::ofstream(book) << R"({"sheets": [{"name": "市场法计算表", "cells": {}}]})";
  xl.obj("Workbooks").call("Open", book);
  Window().Text1.setText("楼盘12号");
  for (auto _ : state) {
    Window().Command1_Click();
    Draw();
  }
  state.counters["found"] = Window().DataGrid1.ApproxCount();
  state.counters["resident_MB"] = ResidentKilobytes() / 1024.0;
  ui::UnloadAll();
}
BENCHMARK(BM_PrefixSearch)->Unit(benchmark::kMillisecond);

// The loop's step for a notch toward the user (the field boxes follow); drawn, the grid is painted
// again by the software renderer as well.
void BM_WheelStep(benchmark::State& state) {
  data::DataGrid& grid = Window().DataGrid1;
  const bool drawn = state.range(0) != 0;
  for (auto _ : state) {
    grid.setRow(grid.Row() + 1);
    if (drawn) grid.hWnd().grab();
  }
  state.counters["row"] = grid.Bookmark();
  ui::UnloadAll();
}
BENCHMARK(BM_WheelStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  EnsureDatabase();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  ui::UnloadAll();
  return 0;
}
