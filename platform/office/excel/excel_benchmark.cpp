// Timings of the stand-in Excel on a large project workbook: 50 tables on each calculation sheet.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/automation/variant.h"
#include "platform/office/excel/application.h"
#include "platform/office/excel/workbook_file.h"

namespace excel {
namespace {

using automation::Object;

struct Method {
  const char* sheet;
  int height;
};
constexpr Method kMethods[] = {{"市场法计算表", 36}, {"收益法计算表1", 57}, {"收益法计算表2", 35},
                               {"成本法计算表", 119}, {"基准地价计算表", 35}, {"成本逼近计算表", 66}};
constexpr int kTables = 50;
constexpr int kValueRows = 300;

// Each table row holds two constants and three formulas; B1 and C1 frame the template block.
std::string LargeWorkbook() {
  BookModel book;
  for (const Method& m : kMethods) book.AddSheet(m.sheet);
  SheetModel& values = book.AddSheet("值");
  for (const Method& m : kMethods) {
    SheetModel& s = *book.SheetNamed(m.sheet);
    const int blockTop = 2 + kTables * m.height;
    const auto formula = [&](int row, int column, const std::string& text) {
      book.SetFormula(s, row, column, book.Parse(s, row, column, text, Notation::A1));
    };
    formula(1, 2, "=ROW(A" + std::to_string(blockTop) + ")");
    formula(1, 3, "=ROW(A" + std::to_string(blockTop + m.height - 1) + ")");
    book.SetConstant(s, 1, 4, automation::Variant(double{kTables}));
    for (int t = 0; t <= kTables; ++t) {
      const int top = 2 + t * m.height;
      for (int row = top; row < top + m.height; ++row) {
        const std::string r = std::to_string(row);
        book.SetConstant(s, row, 1, automation::Variant(double(row)));
        book.SetConstant(s, row, 2, automation::Variant(double(row % 17)));
        formula(row, 3, "=A" + r + "*B" + r);
        formula(row, 4, "=ROUND(C" + r + "/$D$1,2)");
        formula(row, 5, "=SUM(C" + std::to_string(top) + ":C" + r + ")");
      }
    }
    s.cells.SetHidden(blockTop, blockTop + m.height - 1, true);
  }
  for (int row = 1; row <= kValueRows; ++row) {
    const Method& m = kMethods[row % 6];
    const std::string link = std::string("=ROUND(") + m.sheet + "!E" + std::to_string(2 + (row % kTables) * m.height + 10) +
                             "/10000,2)+" + m.sheet + "!D" + std::to_string(row + 1);
    book.SetFormula(values, row, 3, book.Parse(values, row, 3, link, Notation::A1));
  }
  return WorkbookJson(book, false);
}

struct LargeProject {
  LargeProject() {
    const auto path = std::filesystem::temp_directory_path() / "qv_excel_benchmark.json";
    const auto file = ParseWorkbookJson(LargeWorkbook(), "benchmark");
    WriteWorkbookFile(*file.book, path.string(), false, FileKind::StandIn);
    book = xl.obj("Workbooks").call("Open", path.string()).toObject();
    std::filesystem::remove(path);
  }
  std::shared_ptr<office::Application> app = CreateExcelApplication();
  Object xl{app};
  Object book;
};

LargeProject& Project() {
  static LargeProject project;
  return project;
}

// The cost table's append: copy its 119-row template block and insert it above itself.
void InsertCopiedBlock(benchmark::State& state) {
  LargeProject& p = Project();
  const Object sheet = p.book.obj("Sheets", "成本法计算表");
  sheet.call("Select");
  for (auto _ : state) {
    const std::int32_t b1 = sheet.obj("Range", "B1").get("Value").toInt32();
    const std::int32_t c1 = sheet.obj("Range", "C1").get("Value").toInt32();
    const std::string block = std::to_string(b1) + ":" + std::to_string(c1);
    p.xl.obj("Rows", block).call("Copy");
    p.xl.obj("Rows", b1).call("Select");
    p.xl.obj("Selection").call("Insert", automation::Named("Shift", -4121));
    state.PauseTiming();
    p.xl.put("CutCopyMode", false);
    p.xl.obj("Rows", block).call("Delete");
    state.ResumeTiming();
  }
  state.counters["formulas"] = static_cast<double>(kTables + 1) * 348 * 3;
}
BENCHMARK(InsertCopiedBlock)->Unit(benchmark::kMillisecond);

// A refresher's reads: every cell addressed afresh from the application, as text. With `fresh`,
// a write before each pass makes every formula compute again.
void ReadValueSheet(benchmark::State& state, bool fresh) {
  LargeProject& p = Project();
  const std::string name = p.book.get("Name").toText();
  for (auto _ : state) {
    if (fresh) {
      state.PauseTiming();
      p.book.obj("Sheets", "值").obj("Range", "Z1").put("Value", 1);
      state.ResumeTiming();
    }
    for (int row = 1; row <= kValueRows; ++row)
      benchmark::DoNotOptimize(p.xl.obj("Workbooks", name).obj("Sheets", "值").obj("Cells", row, 3).get("Value").toText());
  }
}
BENCHMARK_CAPTURE(ReadValueSheet, computed, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadValueSheet, unchanged, false)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace excel

BENCHMARK_MAIN();
