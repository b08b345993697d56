#include "data/tests/read_sets.h"

namespace datatest {

namespace {

std::vector<ReadRange> SummaryHouse() {
  std::vector<ReadRange> r;
  for (char c : std::string("LMNOPQRST")) r.push_back({"估价结果汇总表", c, 8, 17, c >= 'S' ? Format::Formatted : Format::Raw});
  return r;
}

}  // namespace

void PrintTo(const ReadSet& s, std::ostream* os) { *os << s.workbook; }

const std::vector<ReadSet>& ReadSets() {
  constexpr auto R = Format::Raw;
  constexpr auto F = Format::Formatted;
  static const std::vector<ReadSet> sets = [] {
    ReadSet market{"市场法.xlt", "房产估价报告(市场法和收益法).dot",
                   {{"市场", 'A', 2, 18, R}, {"市场", 'A', 19, 21, F}, {"市场", 'A', 22, 57, R}, {"市场", 'A', 58, 58, F},
                    {"市场", 'A', 59, 83, R}, {"市场", 'A', 84, 84, F}, {"市场", 'A', 85, 109, R}, {"市场", 'A', 110, 110, F},
                    {"市场", 'A', 111, 135, R}, {"市场", 'A', 136, 186, F}, {"市场", 'A', 187, 187, R}, {"市场", 'A', 188, 212, F},
                    {"市场", 'A', 213, 213, R}, {"市场", 'A', 214, 238, F}, {"市场", 'A', 239, 239, R}, {"市场", 'A', 240, 264, F},
                    {"市场", 'A', 265, 265, R}, {"市场", 'A', 266, 298, F},
                    {"收益", 'A', 27, 61, F}, {"收益", 'A', 62, 62, R}, {"收益", 'H', 3, 34, R}, {"收益", 'H', 35, 50, F},
                    {"收益", 'H', 51, 62, R}, {"收益", 'H', 63, 63, F}, {"收益", 'H', 64, 79, R}, {"收益", 'H', 80, 95, F},
                    {"收益", 'H', 96, 107, R}, {"收益", 'H', 108, 108, F}, {"收益", 'H', 109, 124, R}, {"收益", 'H', 125, 140, F},
                    {"收益", 'H', 141, 152, R}, {"收益", 'H', 153, 154, F}}};
    ReadSet cost{"成本法.xlt", "房产估价报告( 成本法).dot",
                 {{"成本", 'A', 2, 19, R}, {"成本", 'A', 20, 23, F}, {"成本", 'A', 24, 37, R}, {"成本", 'A', 38, 290, F},
                  {"成本", 'A', 291, 310, R}, {"成本", 'A', 311, 315, F}}};
    ReadSet land{"基准地价与成本逼近.xlt", "土地估价报告(基准地价和成本逼近).dot",
                 {{"基准地价", 'A', 2, 19, R}, {"估价结果汇总表", 'Q', 8, 127, R}, {"估价结果汇总表", 'Q', 128, 147, F},
                  {"基准地价", 'A', 20, 23, F}, {"基准地价", 'A', 24, 24, R}, {"基准地价", 'A', 25, 25, F},
                  {"基准地价", 'A', 26, 48, R}, {"基准地价", 'A', 49, 73, F}, {"成本逼近", 'A', 25, 25, F},
                  {"成本逼近", 'A', 26, 26, R}, {"成本逼近", 'A', 27, 71, F}}};
    for (auto& r : SummaryHouse()) {
      market.ranges.push_back(r);
      cost.ranges.push_back(r);
    }
    return std::vector<ReadSet>{market, cost, land};
  }();
  return sets;
}

const std::regex& KeyShape() {
  static const std::regex shape("_[A-Z]{2}[0-9]{3}_");
  return shape;
}

}  // namespace datatest
