// Measures one add and one delete of a weighted market table on a project workbook that already
// holds 50 tables per sheet. In process by default; "host" attaches to the Excel of a running
// officehost instead (start it with `officectl run Excel` and the same OFFICEHOST_SOCKET).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "platform/office/excel/application.h"
#include "platform/office/host/client.h"
#include "platform/ui/message_box.h"
#include "platform/ui/scripted_answers.h"
#include "workbench/calctables/calc_tables_module.h"

namespace {

double Median(std::vector<double> v) {
  std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
  return v[v.size() / 2];
}

template <class F>
double Milliseconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Add() {
  ui::QueueBoxAnswer(ui::kYes);
  增加计算表::AddCalculationTable();
}

void Delete() {
  ui::QueueBoxAnswer(ui::kOk);
  增加计算表::DeleteLastCalculationTable();
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  ui::SetScriptedRun(true);
  const bool acrossProcesses = argc > 1 && std::string(argv[1]) == "host";
  std::unique_ptr<office::InProcessOffice> inProcess;
  if (!acrossProcesses) {
    office::ApplicationRegistry registry;
    registry.Register("Excel.Application", excel::CreateExcelApplication);
    inProcess = std::make_unique<office::InProcessOffice>(std::move(registry));
  }
  const automation::Object xl =
      acrossProcesses ? office::GetRunningObject("Excel.Application") : office::CreateObject("Excel.Application");
  xl.obj("Workbooks").call("Open", std::string(QORVANE_BIN_DIR) + "/市场法.xlt");
  xl.obj("Worksheets", "参数").obj("Range", "E7").put("Value", "张三");
  for (int i = 1; i < 50; ++i) Add();

  std::vector<double> adds, deletes;
  for (int i = 0; i < 10; ++i) {
    adds.push_back(Milliseconds(Add));
    deletes.push_back(Milliseconds(Delete));
  }
  const auto tables = [&](const char* sheet) { return xl.obj("Worksheets", sheet).obj("Range", "D1").get("Value").toInt32(); };
  std::printf("%s, %d/%d/%d tables: add %.1f ms, delete %.1f ms (medians of 10)\n",
              acrossProcesses ? "across processes" : "in process", tables("市场法计算表"), tables("收益法计算表1"),
              tables("收益法计算表2"), Median(adds), Median(deletes));
  增加计算表::excel = automation::Object();
}
