#pragma once
// The house case table Table1 of "db.mdb": its 29 columns in their order (rows fetched with all
// columns are read by position, so the table's own order must be this one), and the label under
// which the case query offers each column as a search condition.

#include <array>
#include <string_view>

namespace casetables {

struct HouseColumn {
  std::string_view name;
  std::string_view searchLabel;
};

inline constexpr std::array<HouseColumn, 29> kHouseColumns = {{
    {"序号", "序号"},
    {"建筑物名称", "建筑物名称"},
    {"交易价格", "交易价格"},
    {"地址", "地址"},
    {"所在区县", "所在区县"},
    {"交易情况", "交易情况及目的"},
    {"交易时间", "交易时间"},
    {"交易状况", "交易房地产状况"},
    {"付款方式", "交易及付款方式"},
    {"土地使用年限", "土地使用年限"},
    {"房产用途", "房地产用途"},
    {"土地级别", "土地级别"},
    {"产业规模", "产业规模及繁华程度"},
    {"设施完善程度", "基础公共设施完善程度"},
    {"交通便捷程度", "交通便捷程度"},
    {"市场配合", "市场配合"},
    {"自然条件状况", "自然条件状况"},
    {"环境质量", "环境质量周围景观"},
    {"城市规划限制", "城市规划限制"},
    {"临街状况地势", "临街状况地势"},
    {"新旧程度", "建筑物新旧程度"},
    {"面积", "面积"},
    {"装修情况", "装修情况"},
    {"设施设备", "设施设备"},
    {"平面布置", "平面布置"},
    {"工程质量", "工程质量"},
    {"建筑结构", "建筑结构"},
    {"楼层", "楼层"},
    {"朝向", "朝向"},
}};

}  // namespace casetables
