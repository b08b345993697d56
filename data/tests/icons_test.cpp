// Every image the windows show is drawn: the toolbar's image keys, the case database buttons, the
// program icons and the 258 × 142 toolbar background.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string ReadIcon(const std::string& name) {
  std::ifstream in(std::string(QORVANE_ICON_DIR) + "/" + name + ".svg");
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Icons, OneSvgForEveryImageKey) {
  for (const char* key : {"New", "Open", "zengjia", "shanch", "anlichaxun", "shengcheng", "tzlk", "zhong1", "shuoming2",
                          "casedb_add", "casedb_xg", "casedb_save", "casedb_shuaxin", "casedb_del", "casedb_refresh",
                          "casedb_help", "casedb_close", "program_Estivo", "program_gongjulan", "program_Refrella",
                          "program_Refrella1", "program_Refrella2", "program_Hausdex", "program_Plotdex"}) {
    auto svg = ReadIcon(key);
    EXPECT_NE(svg.find("<svg"), std::string::npos) << key;
    EXPECT_NE(svg.find("</svg>"), std::string::npos) << key;
  }
}

TEST(Icons, ToolbarBackgroundIs258By142) {
  auto svg = ReadIcon("toolbar_background");
  EXPECT_TRUE(std::regex_search(svg, std::regex(R"(<svg[^>]*width="258" height="142")")));
}

}  // namespace
