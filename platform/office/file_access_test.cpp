#include "platform/office/file_access.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace office {
namespace {

namespace fs = std::filesystem;
using Kind = FileAccessError::Kind;

struct FileAccess : ::testing::Test {
  FileAccess() { fs::create_directories(dir); }
  ~FileAccess() override {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
  }
  static Kind KindOf(auto&& action) {
    try {
      action();
    } catch (const FileAccessError& e) {
      return e.kind();
    }
    ADD_FAILURE() << "no error";
    return Kind::Unreadable;
  }
  fs::path dir = fs::temp_directory_path() / ("qv_files_" + std::to_string(getpid()));
};

TEST_F(FileAccess, OnlyRegularFilesOfBoundedSizeAreRead) {
  const auto started = std::chrono::steady_clock::now();
  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(KindOf([&] { ReadWholeFile(fifo); }), Kind::NotAFile) << "no wait for a writer";
  EXPECT_EQ(KindOf([] { ReadWholeFile("/dev/zero"); }), Kind::NotAFile);
  EXPECT_EQ(KindOf([&] { ReadWholeFile(dir.string()); }), Kind::NotAFile);
  EXPECT_EQ(KindOf([&] { ReadWholeFile((dir / "missing").string()); }), Kind::NotFound);
  const fs::path large = dir / "large";
  std::ofstream(large).put('x');
  fs::resize_file(large, kMaxFileBytes + 1);  // sparse: nothing is written
  EXPECT_EQ(KindOf([&] { ReadWholeFile(large.string()); }), Kind::TooLarge);
  fs::resize_file(large, 5);
  EXPECT_EQ(ReadWholeFile(large.string()), std::string("x\0\0\0\0", 5));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

TEST_F(FileAccess, AReplacedFileIsWholeOrAsItWas) {
  const fs::path target = dir / "book.json";
  ReplaceFile(target.string(), "first");
  EXPECT_EQ(ReadWholeFile(target.string()), "first");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ReplaceFile(target.string(), "second");
  EXPECT_EQ(ReadWholeFile(target.string()), "second");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  if (access(dir.c_str(), W_OK) != 0) {  // root writes anyway
    EXPECT_EQ(KindOf([&] { ReplaceFile(target.string(), "third"); }), Kind::Unwritable);
    EXPECT_EQ(ReadWholeFile(target.string()), "second");
  }
  fs::permissions(dir, fs::perms::owner_all);
  EXPECT_EQ(KindOf([&] { ReplaceFile((dir / "no" / "such").string(), "x"); }), Kind::Unwritable);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file is left";
}

TEST(Utf8, ValidOnlyWhenEverySequenceIsWholeAndShortest) {
  for (const char* good : {"", "abc", "张三", "\xF0\x9F\x98\x80", "\xED\x9F\xBF", "\xF4\x8F\xBF\xBF"})
    EXPECT_TRUE(IsValidUtf8(good)) << good;
  for (const char* bad : {"\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\xBC", "a\x80", "\xF8\x88\x80\x80\x80"})
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}

}  // namespace
}  // namespace office
