#include "casedb/case_database_settings.h"

#include <array>
#include <stdexcept>

#include "common/casetables/house_case_table.h"

namespace casedb {

namespace {

std::vector<std::string_view> HouseColumns() {
  std::vector<std::string_view> columns;
  for (const auto& column : casetables::kHouseColumns) columns.push_back(column.name);
  return columns;
}

const std::array<CaseDatabaseSettings, 2>& Builds() {
  static const std::array<CaseDatabaseSettings, 2> builds = {{
      {"Hausdex", "db.mdb", "维护数据库", HouseColumns(), false},
      {"Plotdex", "td.mdb", "宗地交易案例数据维护",
       {"序号",         "土地名称",     "土地权证编号", "土地使用者",   "用地面积",     "容积率",       "用地性质",
        "交易价格",     "所在区县",     "建筑密度%",    "绿化率%",      "地址",         "交易情况",     "交易时间",
        "交易状况",     "交易方式",     "土地使用年限", "土地级别",     "道路类型",     "道路等级",     "交通便捷程度",
        "工业集聚程度", "工业配套程度", "工业发展潜力", "基础设施条件", "形状",         "宗地地基条件", "宗地面积情况",
        "宗地临路状况", "相邻土地利用状况", "规划限制", "备注"},
       true},
  }};
  return builds;
}

const CaseDatabaseSettings* g_this = nullptr;

}  // namespace

const CaseDatabaseSettings& SettingsOf(std::string_view program) {
  for (const CaseDatabaseSettings& build : Builds())
    if (build.program == program) return build;
  throw std::invalid_argument("no case database program " + std::string(program));
}

const CaseDatabaseSettings& ThisProgram() {
  if (g_this == nullptr) throw std::logic_error("the program has not chosen its case database");
  return *g_this;
}

void UseSettingsOf(std::string_view program) { g_this = &SettingsOf(program); }

}  // namespace casedb
