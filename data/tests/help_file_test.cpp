// help.chm as a help viewer reads it: Chinese (PRC) declared, and every page and the contents in
// that code page (GBK), so that they read back as they were written.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "data/tests/generated_workbook.h"

namespace datatest {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The text, or "(not GBK)" when some of its bytes are not.
std::string FromGbk(const std::string& bytes) {
  iconv_t convert = iconv_open("UTF-8", "GBK");
  std::string out(bytes.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size(), outLeft = out.size();
  char* at = out.data();
  const bool done = iconv(convert, &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(convert);
  if (!done || inLeft != 0) return "(not GBK)";
  out.resize(out.size() - outLeft);
  return out;
}

class HelpPages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    extracted_ = fs::temp_directory_path() / ("help-" + std::to_string(::getpid()));
    fs::remove_all(extracted_);
    const std::string command = std::string(EXTRACT_CHMLIB) + " '" + ProgramFolder() + "/help.chm' '" +
                                extracted_.string() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  static void TearDownTestSuite() { fs::remove_all(extracted_); }
  static fs::path extracted_;
};
fs::path HelpPages::extracted_;

TEST_F(HelpPages, EveryPageAndTheContentsReadBackAsWrittenInGbk) {
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(QORVANE_HELP_SOURCE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".html" && entry.path().extension() != ".hhc") continue;
    std::string written = ReadBytes(entry.path());
    const std::size_t charset = written.find("charset=utf-8");
    ASSERT_NE(charset, std::string::npos) << name;
    written.replace(charset, 13, "charset=gbk");
    const std::string stored = ReadBytes(extracted_ / name);
    EXPECT_EQ(FromGbk(stored), written) << name;
    EXPECT_NE(stored, written) << name << " is still UTF-8";
    ++pages;
  }
  EXPECT_EQ(pages, 9);
}

// #SYSTEM: a version, then records of a 16-bit code, a 16-bit length and the data.
TEST_F(HelpPages, TheFileDeclaresChineseAndItsTitleIsInThatCodePage) {
  const std::string system = ReadBytes(extracted_ / "#SYSTEM");
  const auto word = [&](std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(system[at]) | static_cast<unsigned char>(system[at + 1]) << 8);
  };
  std::uint16_t language = 0;
  std::string title;
  for (std::size_t at = 4; at + 4 <= system.size();) {
    const std::uint16_t code = word(at), length = word(at + 2);
    const std::string data = system.substr(at + 4, length);
    if (code == 4) language = static_cast<std::uint16_t>(word(at + 4));
    if (code == 3) title = data.substr(0, data.find('\0'));
    at += 4 + length;
  }
  EXPECT_EQ(language, 0x804);
  EXPECT_EQ(FromGbk(title), "房地产估价系统帮助");
}

}  // namespace
}  // namespace datatest
