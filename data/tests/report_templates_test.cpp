// The report templates as the refreshers fill them: result tables by index with their column
// counts, placeholder fields only in the main text and only with keys the refresher reads.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include <nlohmann/json.hpp>

#include "data/tests/generated_workbook.h"
#include "data/tests/read_sets.h"

namespace datatest {
namespace {

nlohmann::json LoadDocument(const std::string& name) {
  std::ifstream in(ProgramFolder() + "/" + name);
  if (!in) throw std::runtime_error("missing " + name);
  return nlohmann::json::parse(in);
}

std::vector<nlohmann::json> Tables(const nlohmann::json& doc) {
  std::vector<nlohmann::json> tables;
  for (const auto& block : doc.at("main"))
    if (block.contains("table")) tables.push_back(block.at("table"));
  return tables;
}

// Every inline of a story, table cells included.
template <class Visit>
void ForEachInline(const nlohmann::json& story, Visit visit) {
  for (const auto& block : story) {
    if (block.contains("paragraph")) {
      for (const auto& item : block.at("paragraph")) visit(item);
      continue;
    }
    for (const auto& row : block.at("table"))
      for (const auto& cell : row)
        for (const auto& item : cell) visit(item);
  }
}

struct ResultTable {
  std::size_t index;  // 1-based among the document's tables
  std::size_t columns;
  bool closingRow;
  std::string bookmark;
};

struct Report {
  std::string file;
  std::vector<ResultTable> tables;
};
void PrintTo(const Report& r, std::ostream* os) { *os << r.file; }

class ReportTest : public ::testing::TestWithParam<Report> {};

TEST_P(ReportTest, ResultTablesHaveOneHeaderDataRowsAndTheirColumns) {
  auto doc = LoadDocument(GetParam().file);
  EXPECT_TRUE(doc.value("template", false));
  auto tables = Tables(doc);
  std::set<std::string> bookmarks;
  for (const auto& b : doc.value("bookmarks", nlohmann::json::array())) bookmarks.insert(b.at("name").get<std::string>());
  for (const auto& t : GetParam().tables) {
    ASSERT_GE(tables.size(), t.index);
    const auto& rows = tables[t.index - 1];
    EXPECT_GE(rows.size(), t.closingRow ? 3u : 2u) << "table " << t.index << " needs a header and a data row";
    for (const auto& row : rows) EXPECT_EQ(row.size(), t.columns) << "table " << t.index;
    for (const auto& cell : rows[0]) EXPECT_FALSE(cell.empty()) << "table " << t.index << " header";
    EXPECT_TRUE(bookmarks.count(t.bookmark)) << t.bookmark;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportTest,
    ::testing::Values(Report{"房产估价报告(市场法和收益法).dot", {{1, 9, true, "shuqian_1"}, {2, 7, false, "shuqian_2"}, {4, 7, false, "shuqian_3"}}},
                      Report{"房产估价报告( 成本法).dot", {{1, 9, true, "weizhi_1"}, {2, 7, false, "weizhi_2"}, {4, 7, false, "shuqian_3"}}},
                      Report{"土地估价报告(基准地价和成本逼近).dot", {{1, 14, false, "Tddw_1"}, {5, 14, false, "Tddw_2"}}}),
    [](const auto& param) { return "report" + std::to_string(param.index); });

class ReportFieldsTest : public ::testing::TestWithParam<ReadSet> {};

TEST_P(ReportFieldsTest, FieldsAreTitleFieldsOfKeysTheRefresherReads) {
  auto workbook = GeneratedWorkbook::Load(GetParam().workbook);
  std::set<std::string> readable;
  for (const auto& r : GetParam().ranges)
    for (int row = r.first; row <= r.last; ++row)
      readable.insert(workbook.sheet(r.sheet).content(std::string(1, r.keyColumn) + std::to_string(row)));
  auto doc = LoadDocument(GetParam().report);
  int fields = 0;
  ForEachInline(doc.at("main"), [&](const nlohmann::json& item) {
    if (item.contains("text")) {
      EXPECT_FALSE(std::regex_search(item.at("text").get<std::string>(), KeyShape())) << "typed key: " << item.at("text");
      return;
    }
    ++fields;
    auto code = item.at("code").get<std::string>();
    ASSERT_EQ(code.rfind("TITLE ", 0), 0u) << code;
    auto key = code.substr(6);
    EXPECT_TRUE(readable.count(key)) << key << " is not refreshed by this report's refresher";
    EXPECT_EQ(item.value("result", ""), key) << "a new field shows its key";
  });
  EXPECT_GT(fields, 100);
  const auto stories = doc.value("stories", nlohmann::json::object());
  for (const auto& [name, story] : stories.items()) {
    ForEachInline(story, [&](const nlohmann::json& item) {
      EXPECT_TRUE(item.contains("text")) << "field in " << name;
      if (item.contains("text")) {
        EXPECT_FALSE(std::regex_search(item.at("text").get<std::string>(), KeyShape())) << name;
      }
    });
  }
}

INSTANTIATE_TEST_SUITE_P(Refreshers, ReportFieldsTest, ::testing::ValuesIn(ReadSets()),
                         [](const auto& param) { return "refresher" + std::to_string(param.index); });

// The contract and the case database help are no reports: a refresher run on them changes nothing.
TEST(OtherDocuments, HoldNoFieldsAndNoTables) {
  for (const char* name : {"房地产估价合同.dot", "房地产交易案例价格维护.doc"}) {
    auto doc = LoadDocument(name);
    EXPECT_TRUE(Tables(doc).empty()) << name;
    ForEachInline(doc.at("main"), [&](const nlohmann::json& item) {
      EXPECT_TRUE(item.contains("text")) << name;
      if (item.contains("text")) {
        EXPECT_FALSE(std::regex_search(item.at("text").get<std::string>(), KeyShape())) << name;
      }
    });
  }
  EXPECT_FALSE(LoadDocument("房地产交易案例价格维护.doc").value("template", true));
}

}  // namespace
}  // namespace datatest
