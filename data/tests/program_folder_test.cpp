// The data files lie in the program folder under the exact names the programs open, and the
// case databases have the columns, in order, that the programs read by position and by name.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "data/tests/generated_workbook.h"

namespace datatest {
namespace {

TEST(ProgramFolder, HoldsEveryDataFileUnderItsExactName) {
  const std::vector<std::string> files = {
      "市场法.xlt", "成本法.xlt", "基准地价与成本逼近.xlt",
      "房屋征收补偿估价调查登记表.xlt", "房地产成本法评估测算表.xlt", "市场法比较计算表.xlt", "房地产市场案例调查表.xlt",
      "房地产收益法测算表[1].xlt", "房地产收益法测算表.xlt", "估价对象现场调查表.xlt", "收益法市场租金调查表.xlt",
      "收益法现场调查表.xlt", "收益法资本化率计算表.xlt", "新市场法计算表.xlt", "土地基本情况调查表.xlt",
      "土地价格评估方法.xlt", "影响地价的因素分析.xlt", "宗地现场勘察表.xlt", "租金修正计算表.xlt",
      "房地产估价作业方案.xlt", "房产估价报告(市场法和收益法).dot", "房产估价报告( 成本法).dot",
      "土地估价报告(基准地价和成本逼近).dot", "房地产估价合同.dot", "房地产交易案例价格维护.doc", "db.mdb", "td.mdb", "help.chm"};
  for (const auto& f : files) {
    EXPECT_TRUE(std::filesystem::is_regular_file(ProgramFolder() + "/" + f)) << f;
  }
}

// The help file is a compiled HTML help file: it starts with the ITSF signature.
TEST(HelpFile, IsACompiledHtmlHelpFile) {
  std::ifstream in(ProgramFolder() + "/help.chm", std::ios::binary);
  char signature[4] = {};
  in.read(signature, 4);
  EXPECT_EQ(std::string(signature, 4), "ITSF");
}

// Survey forms must not pass the project marker check, or the calculation commands would act on them.
TEST(SurveyTemplates, CarryNoProjectMarker) {
  for (const auto& entry : std::filesystem::directory_iterator(ProgramFolder())) {
    auto name = entry.path().filename().string();
    if (entry.path().extension() != ".xlt" || name == "市场法.xlt" || name == "成本法.xlt" || name == "基准地价与成本逼近.xlt")
      continue;
    auto w = GeneratedWorkbook::Load(name);
    for (const auto& s : w.sheets) {
      EXPECT_NE(s.name, "参数") << name;
      EXPECT_FALSE(s.json.contains("protection")) << name << " is protected";
    }
  }
}

struct Database {
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> handle{nullptr, sqlite3_close};
  explicit Database(const std::string& file) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK) << file;
    handle.reset(db);
  }
  // Runs a query; returns its rows, each column as text ("" for null).
  std::vector<std::vector<std::string>> query(const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(handle.get(), sql.c_str(), -1, &raw, nullptr), SQLITE_OK) << sql << ": " << sqlite3_errmsg(handle.get());
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    std::vector<std::vector<std::string>> rows;
    while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int c = 0; c < sqlite3_column_count(stmt.get()); ++c) {
        auto* text = sqlite3_column_text(stmt.get(), c);
        row.push_back(text ? reinterpret_cast<const char*>(text) : "");
      }
      rows.push_back(row);
    }
    return rows;
  }
};

struct CaseTable {
  std::string file;
  std::vector<std::string> columns;
  int atLeast;
};
void PrintTo(const CaseTable& t, std::ostream* os) { *os << t.file; }

class CaseDatabaseTest : public ::testing::TestWithParam<CaseTable> {};

TEST_P(CaseDatabaseTest, Table1HasTheColumnsInOrderAndAnswersPrefixQueries) {
  Database db(ProgramFolder() + "/" + GetParam().file);
  auto info = db.query("PRAGMA table_info(Table1)");
  ASSERT_EQ(info.size(), GetParam().columns.size());
  for (std::size_t i = 0; i < info.size(); ++i) {
    EXPECT_EQ(info[i][1], GetParam().columns[i]) << "column " << i;
  }
  EXPECT_EQ(info[0][2], "INTEGER");
  EXPECT_EQ(info[0][3], "1") << "序号 is required";
  EXPECT_EQ(info[0][5], "1") << "序号 is the primary key";
  auto count = db.query("SELECT count(*), count(DISTINCT 序号) FROM Table1");
  EXPECT_GE(std::stoi(count[0][0]), GetParam().atLeast);
  EXPECT_EQ(count[0][0], count[0][1]);
  // The case query matches every column with a text prefix; each column's first value must find its row.
  auto first = db.query("SELECT * FROM Table1 ORDER BY 序号 LIMIT 1");
  ASSERT_EQ(first.size(), 1u);
  for (std::size_t i = 0; i < info.size(); ++i) {
    auto rows = db.query("SELECT 序号 FROM Table1 WHERE \"" + info[i][1] + "\" LIKE '" + first[0][i] + "' || '%'");
    EXPECT_FALSE(rows.empty()) << info[i][1];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Databases, CaseDatabaseTest,
    ::testing::Values(
        CaseTable{"db.mdb",
                  {"序号", "建筑物名称", "交易价格", "地址", "所在区县", "交易情况", "交易时间", "交易状况", "付款方式", "土地使用年限",
                   "房产用途", "土地级别", "产业规模", "设施完善程度", "交通便捷程度", "市场配合", "自然条件状况", "环境质量",
                   "城市规划限制", "临街状况地势", "新旧程度", "面积", "装修情况", "设施设备", "平面布置", "工程质量", "建筑结构",
                   "楼层", "朝向"},
                  80},
        CaseTable{"td.mdb",
                  {"序号", "土地名称", "土地权证编号", "土地使用者", "用地面积", "容积率", "用地性质", "交易价格", "所在区县",
                   "建筑密度%", "绿化率%", "地址", "交易情况", "交易时间", "交易状况", "交易方式", "土地使用年限", "土地级别",
                   "道路类型", "道路等级", "交通便捷程度", "工业集聚程度", "工业配套程度", "工业发展潜力", "基础设施条件", "形状",
                   "宗地地基条件", "宗地面积情况", "宗地临路状况", "相邻土地利用状况", "规划限制", "备注"},
                  40}),
    [](const auto& param) { return param.index == 0 ? std::string("house") : std::string("land"); });

}  // namespace
}  // namespace datatest
