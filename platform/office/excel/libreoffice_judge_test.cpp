// LibreOffice's headless Calc, another spreadsheet, as the judge of our .xlsx files and of our
// formula engine: it recalculates the worked project workbooks on load, and every value of their
// value sheets and result summary must equal ours to the cent. What it writes back must read here
// with the same values, protection and formats.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/office/excel/formula.h"
#include "platform/office/excel/formula_evaluator.h"
#include "platform/office/excel/workbook_file.h"
#include "platform/office/excel/xlsx_file.h"
#include "platform/office/file_access.h"

namespace excel {
namespace {

// Recalculate every file on load, whatever values it holds; LibreOffice's default keeps them.
constexpr const char* kAlwaysRecalculate = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
)";

using Rows = std::vector<std::vector<std::string>>;

// A CSV text as LibreOffice writes it: fields in double quotes where they need them.
Rows ParseCsv(const std::string& text) {
  Rows rows(1);
  std::string field;
  bool quoted = false, any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
      else if (c == '"') quoted = false;
      else field += c;
    } else if (c == '"') {
      quoted = any = true;
    } else if (c == ',') {
      rows.back().push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      rows.back().push_back(std::move(field));
      field.clear();
      rows.emplace_back();
    } else if (c != '\r') {
      field += c;
    }
  }
  if (!field.empty() || !rows.back().empty()) rows.back().push_back(std::move(field));
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

struct Worked {
  std::string templateName;
  std::vector<std::string> judged;  // the value sheets and the result summary
};

const std::vector<Worked> kWorkbooks = {
    {"市场法", {"市场", "收益", "估价结果汇总表"}},
    {"成本法", {"成本", "估价结果汇总表"}},
    {"基准地价与成本逼近", {"基准地价", "成本逼近", "估价结果汇总表"}},
};

// The project workbook as an appraiser fills it in: every input cell of the project sheet and the
// calculation sheets gets a number of its own (the method choice stays), numbers already there
// change a little, as the factors and rates of a real appraisal do.
std::shared_ptr<BookModel> WorkedBook(const std::string& templateName) {
  auto book = ReadWorkbookFile(std::string(QORVANE_BIN_DIR) + "/" + templateName + ".xlt").book;
  for (const auto& sheet : book->sheets()) {
    std::vector<std::pair<int, int>> inputs;
    sheet->cells.ForEach({1, 1, kMaxRows, kMaxColumns}, [&](int row, int column, const Cell& cell) {
      if (!cell.locked && cell.formula == kNoFormula && row > 1 && !sheet->cells.Hidden(row)) inputs.emplace_back(row, column);
    });
    for (const auto& [row, column] : inputs) {
      const Variant& now = sheet->cells.Find(row, column)->constant;
      const int step = (row * 37 + column * 11) % 17;
      const double value = now.kind() == Variant::Kind::Double ? std::round(now.toDouble() * (0.92 + step * 0.01) * 10000) / 10000
                                                                : 50 + step * 613.37;
      book->SetConstant(*sheet, row, column, Variant(value));
    }
  }
  return book;
}

// The shown content of a value of ours, as LibreOffice's CSV gives it without formats.
void ExpectSame(const Variant& ours, const std::string& theirs, const std::string& where) {
  switch (ours.kind()) {
    case Variant::Kind::Empty: EXPECT_EQ(theirs, "") << where; break;
    case Variant::Kind::Text: EXPECT_EQ(theirs, std::get<std::string>(ours.value())) << where; break;
    case Variant::Kind::Boolean: EXPECT_EQ(theirs, ours.toBool() ? "TRUE" : "FALSE") << where; break;
    case Variant::Kind::Error: EXPECT_EQ(theirs, ErrorText(*ErrorOf(ours))) << where; break;
    default: {
      // A percentage keeps its percent sign even unformatted.
      char* end = nullptr;
      double v = std::strtod(theirs.c_str(), &end);
      if (*end == '%') {
        v /= 100;
        ++end;
      }
      ASSERT_TRUE(!theirs.empty() && *end == '\0') << where << ": LibreOffice shows '" << theirs << "' for " << ours.toDouble();
      EXPECT_NEAR(v, ours.toDouble(), 0.005) << where;
    }
  }
}

class LibreOfficeJudgeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v soffice > /dev/null") != 0) GTEST_SKIP() << "LibreOffice is not installed (scripts/setup)";
    std::filesystem::create_directories(folder / "profile" / "user");
    std::ofstream(folder / "profile" / "user" / "registrymodifications.xcu") << kAlwaysRecalculate;
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // Converts the file with LibreOffice's filter into the folder "out".
  void Convert(const std::string& path, const std::string& to) const {
    const std::string command = "soffice -env:UserInstallation=file://" + (folder / "profile").string() + " --headless --convert-to '" + to +
                                "' --outdir '" + (folder / "out").string() + "' '" + path + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  std::string Saved(BookModel& book, const std::string& name) const {
    const std::string path = (folder / (name + ".xlsx")).string();
    WriteWorkbookFile(book, path, false, FileKind::Xlsx);
    return path;
  }

  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("qv_libreoffice_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(LibreOfficeJudgeTest, RecalculatedValueAndSummarySheetsEqualOursToTheCent) {
  for (const Worked& worked : kWorkbooks) {
    SCOPED_TRACE(worked.templateName);
    const auto book = WorkedBook(worked.templateName);
    // Every sheet, each in a file of its own; values as they are, not as shown.
    Convert(Saved(*book, worked.templateName), "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1");
    for (const std::string& name : worked.judged) {
      const SheetModel& sheet = *book->SheetNamed(name);
      const Rows rows = ParseCsv(office::ReadWholeFile((folder / "out" / (worked.templateName + "-" + name + ".csv")).string()));
      int numbers = 0, columns = 0;
      sheet.cells.ForEach({1, 1, kMaxRows, kMaxColumns}, [&](int, int column, const Cell&) { columns = std::max(columns, column); });
      for (int row = 1; row <= std::max(sheet.cells.LastRow(), static_cast<int>(rows.size())); ++row)
        for (int column = 1; column <= std::max(columns, row <= static_cast<int>(rows.size()) ? static_cast<int>(rows[row - 1].size()) : 0); ++column) {
          const Variant ours = book->ValueAt(sheet.id, row, column);
          const bool inCsv = row <= static_cast<int>(rows.size()) && column <= static_cast<int>(rows[row - 1].size());
          ExpectSame(ours, inCsv ? rows[row - 1][column - 1] : "", name + "!" + ColumnLetters(column) + std::to_string(row));
          if (ours.kind() == Variant::Kind::Double && ours.toDouble() != 0) ++numbers;
        }
      EXPECT_GE(numbers, 3) << name << ": too few figures to judge by";
    }
  }
}

TEST_F(LibreOfficeJudgeTest, AWorkbookLibreOfficeWroteReadsBackWithItsValuesProtectionAndLooks) {
  const auto book = WorkedBook("市场法");
  Convert(Saved(*book, "ours"), "xlsx:Calc MS Excel 2007 XML");
  const WorkbookFile theirs = ReadWorkbookFile((folder / "out" / "ours.xlsx").string());
  ASSERT_EQ(theirs.book->sheets().size(), book->sheets().size());
  for (std::size_t i = 0; i < book->sheets().size(); ++i) {
    const SheetModel& a = *book->sheets()[i];
    const SheetModel& b = *theirs.book->sheets()[i];
    SCOPED_TRACE(a.name);
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.visibility, a.visibility);
    EXPECT_EQ(b.protection.on, a.protection.on);
    EXPECT_EQ(b.cells.hiddenRuns(), a.cells.hiddenRuns());
    EXPECT_EQ(b.cells.merges().size(), a.cells.merges().size());
    a.cells.ForEach({1, 1, kMaxRows, kMaxColumns}, [&](int row, int column, const Cell& cell) {
      const std::string at = ColumnLetters(column) + std::to_string(row);
      const Cell* other = b.cells.Find(row, column);
      ASSERT_NE(other, nullptr) << at;
      EXPECT_EQ(other->locked, cell.locked) << at;
      EXPECT_EQ(other->style.fill, cell.style.fill) << at;
      EXPECT_EQ(other->style.bold, cell.style.bold) << at;
      EXPECT_EQ(other->style.borders, cell.style.borders) << at;
      if (!cell.hasContent()) return;
      const Variant ours = book->ValueAt(a.id, row, column);
      const Variant read = theirs.book->ValueAt(b.id, row, column);
      if (ours.kind() == Variant::Kind::Double) EXPECT_NEAR(read.toDouble(), ours.toDouble(), 0.005) << at;
      else EXPECT_EQ(read, ours) << at;
    });
  }
  // And it works as a project workbook: a table appended as the add command does computes as
  // table 1 does.
  SheetModel& market = *theirs.book->SheetNamed("市场法计算表");
  const int first = static_cast<int>(theirs.book->ValueAt(market.id, 1, 2).toDouble());
  const int last = static_cast<int>(theirs.book->ValueAt(market.id, 1, 3).toDouble());
  theirs.book->InsertCopiedRows(market, first, market, first, last - first + 1);
  EXPECT_EQ(theirs.book->ValueAt(market.id, 1, 2).toDouble(), first + 36);
  EXPECT_EQ(theirs.book->SheetNamed("市场法计算表")->cells.Find(first + 34, 3)->style.fill, market.cells.Find(36, 3)->style.fill);
}

}  // namespace
}  // namespace excel
