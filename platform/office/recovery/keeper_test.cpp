// The recovery copies of a host's changed files: written for those alone, whole, only when they
// changed, gone once the file is saved or closed; and what a host that died left, opened again by
// the next one as the files they were.

#include "platform/office/recovery/keeper.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "platform/office/excel/application.h"
#include "platform/office/file_access.h"
#include "platform/office/word/word_application.h"
#include "platform/runtime/testing/time_bound.h"

namespace office::recovery {
namespace {

namespace fs = std::filesystem;
using automation::Object;
using namespace std::chrono_literals;

ApplicationRegistry Registry() {
  ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  registry.Register("Word.Application", word::CreateWordApplication);
  return registry;
}

// One host's running applications and its keeper, over the recovery folder of a test.
struct Host {
  explicit Host(const std::string& folder, std::chrono::milliseconds period = kPeriod) : keeper(folder, period) {
    keeper.Keep(table);
  }
  Object Start(const std::string& progid) { return Object(table.Create(progid)->application); }
  RunningObjectTable table{Registry()};
  Keeper keeper;
};

class RecoveryCopies : public ::testing::Test {
 protected:
  RecoveryCopies() {
    char dir[] = "/tmp/qv-recovery-XXXXXX";
    if (mkdtemp(dir)) dir_ = dir;
    folder_ = dir_ + "/recovery";
  }
  ~RecoveryCopies() override { fs::remove_all(dir_); }

  // The descriptions of the copies in the folder now.
  std::vector<nlohmann::json> Copies() const {
    std::vector<nlohmann::json> copies;
    for (const auto& entry : fs::directory_iterator(folder_))
      if (entry.path().extension() == ".json") copies.push_back(nlohmann::json::parse(ReadWholeFile(entry.path())));
    return copies;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& c : Copies()) names.push_back(c.at("name").get<std::string>());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Workbook(const std::string& name, const std::string& cell) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << R"({"sheets": [{"name": "参数", "cells": {"E7": {"value": ")" << cell << R"("}}}]})";
    return path;
  }

  std::string dir_, folder_;
};

TEST_F(RecoveryCopies, AreWrittenForChangedFilesAloneAndGoWhenTheFileIsSavedClosedOrItsApplicationQuits) {
  Host host(folder_);
  Object xl = host.Start("Excel.Application");
  Object untouched = xl.obj("Workbooks").call("Open", Workbook("原样.xls", "甲")).toObject();
  Object typed = xl.obj("Workbooks").call("Open", Workbook("参数.xls", "甲")).toObject();
  typed.obj("Worksheets", 1).obj("Range", "E7").put("Value", "张三");
  Object added = xl.obj("Workbooks").call("Add").toObject();
  added.obj("Worksheets", 1).obj("Range", "A1").put("Value", 12.5);
  Object word = host.Start("Word.Application");
  Object report = word.obj("Documents").call("Add").toObject();
  report.call("Range", 0, 0).toObject().put("Text", "草稿");
  word.obj("Documents").call("Add");

  host.keeper.WriteCopies();
  EXPECT_EQ(Names(), (std::vector<std::string>{"参数.xls", "工作簿1", "文档1"}));
  for (const auto& c : Copies())
    if (c["name"] == "参数.xls") {
      EXPECT_EQ(c["path"], dir_ + "/参数.xls");
    }

  typed.call("Save");
  report.call("Close", 0);  // its changes discarded
  host.keeper.Tidy();
  EXPECT_EQ(Names(), (std::vector<std::string>{"工作簿1"}));

  xl.call("Quit");
  host.keeper.Tidy();
  EXPECT_TRUE(Names().empty());
  EXPECT_TRUE(fs::is_empty(folder_)) << "no content is left without its description";
}

TEST_F(RecoveryCopies, AreWrittenAgainOnlyWhenTheFileChangedAndAreNeverSeenHalfWritten) {
  Host host(folder_);
  Object sheet = host.Start("Excel.Application").obj("Workbooks").call("Add").toObject().obj("Worksheets", 1);
  sheet.obj("Range", "A1").put("Value", "第一次");
  host.keeper.WriteCopies();
  ASSERT_EQ(Copies().size(), 1u);
  const auto content = [&] {
    for (const auto& entry : fs::directory_iterator(folder_))
      if (entry.path().extension() == ".copy") return entry.path().string();
    return std::string();
  }();
  const auto inode = [&] {
    struct stat st {};
    stat(content.c_str(), &st);
    return st.st_ino;
  };
  const auto first = inode();
  const std::string firstContent = ReadWholeFile(content);
  host.keeper.WriteCopies();
  EXPECT_EQ(inode(), first) << "unchanged: not written again";

  // A reader of the copy at any moment finds a whole workbook file.
  std::atomic<bool> writing = true;
  std::atomic<int> reads = 0, broken = 0;
  std::thread reader([&] {
    while (writing) {
      try {
        if (!nlohmann::json::accept(ReadWholeFile(content))) ++broken;
      } catch (const std::exception&) {
        ++broken;
      }
      ++reads;
    }
  });
  const std::string large(20000, 'x');
  for (int i = 0; i < 60; ++i) {
    sheet.obj("Range", "A" + std::to_string(i % 20 + 2)).put("Value", large + std::to_string(i));
    host.keeper.WriteCopies();
  }
  writing = false;
  reader.join();
  EXPECT_GT(reads, 0);
  EXPECT_EQ(broken, 0);
  EXPECT_NE(ReadWholeFile(content), firstContent) << "changed: written again (a new file may take the old one's inode)";
  EXPECT_EQ(Copies().size(), 1u);
}

TEST_F(RecoveryCopies, LeftByAHostThatDiedAreOpenedByTheNextAsTheFilesTheyWere) {
  const std::string path = Workbook("参数.xls", "甲");
  {
    Host died(folder_);
    Object xl = died.Start("Excel.Application");
    xl.obj("Workbooks").call("Open", path).toObject().obj("Worksheets", 1).obj("Range", "E7").put("Value", "张三");
    xl.obj("Workbooks").call("Add").toObject().obj("Worksheets", 1).obj("Range", "B2").put("Value", "李四");
    Object doc = died.Start("Word.Application").obj("Documents").call("Add").toObject();
    doc.call("Range", 0, 0).toObject().put("Text", "估价报告");
    died.keeper.WriteCopies();
  }  // gone without closing anything, as a killed host goes
  ASSERT_EQ(Copies().size(), 3u);

  Host next(folder_);
  Object xl = next.Start("Excel.Application");
  EXPECT_TRUE(next.keeper.TakeLeftCopies("Access.Application").empty());
  const auto books = next.keeper.TakeLeftCopies("Excel.Application");
  ASSERT_EQ(books.size(), 2u);
  EXPECT_TRUE(next.keeper.TakeLeftCopies("Excel.Application").empty()) << "each copy is offered once";
  const LeftCopy& typed = books[0].info.name == "参数.xls" ? books[0] : books[1];
  const LeftCopy& added = books[0].info.name == "参数.xls" ? books[1] : books[0];

  // A file of the same name open already: refused, and the copy stays.
  Object same = xl.obj("Workbooks").call("Open", path).toObject();
  EXPECT_THROW(next.keeper.Open(typed, next.table.Running("Excel.Application")->application), std::runtime_error);
  same.call("Close", false);
  next.keeper.Open(typed, next.table.Running("Excel.Application")->application);
  Object book = xl.get("ActiveWorkbook").toObject();
  EXPECT_EQ(book.get("Name").toText(), "参数.xls");
  EXPECT_EQ(book.obj("Worksheets", 1).obj("Range", "E7").get("Value").toText(), "张三");
  EXPECT_FALSE(book.get("Saved").toBool());
  next.keeper.Discard(added);

  // The opened copy is the file's copy now: kept while unsaved (under its old name), gone once saved.
  next.keeper.WriteCopies();
  EXPECT_EQ(Names(), (std::vector<std::string>{"参数.xls", "文档1"}));
  book.call("Save");
  EXPECT_NE(ReadWholeFile(path).find("张三"), std::string::npos) << "保存 writes the file it was a copy of";
  next.keeper.Tidy();
  EXPECT_EQ(Names(), (std::vector<std::string>{"文档1"}));

  Object word = next.Start("Word.Application");
  word.obj("Documents").call("Add");  // a new 文档1, as a new Word has
  const auto docs = next.keeper.TakeLeftCopies("Word.Application");
  ASSERT_EQ(docs.size(), 1u);
  next.keeper.Open(docs[0], next.table.Running("Word.Application")->application);
  Object doc = word.get("ActiveDocument").toObject();
  EXPECT_EQ(doc.get("Name").toText(), "文档1（已恢复）") << "never saved: named apart from the new 文档1";
  EXPECT_EQ(doc.obj("Content").get("Text").toText(), "估价报告\r");
  EXPECT_FALSE(doc.get("Saved").toBool());
  word.call("Quit");
  next.keeper.Tidy();
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(RecoveryCopies, WhatIsNotAWholeCopyIsClearedAwayWhenTheNextHostStarts) {
  fs::create_directory(folder_);
  fs::permissions(folder_, fs::perms::owner_all);
  std::ofstream(folder_ + "/1-1.copy") << "{}";                    // its description never written
  std::ofstream(folder_ + "/.1-2.copy.a1b2c3") << "{\"sheets\"";  // a write cut short
  std::ofstream(folder_ + "/1-3.json") << "{\"application\": ";   // a description without content
  Host next(folder_);
  EXPECT_TRUE(next.keeper.TakeLeftCopies("Excel.Application").empty());
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(RecoveryCopies, FollowTheHostsTimerWhileApplicationsRunAndLetTheIdleHostEnd) {
  Host host(folder_, 50ms);
  const auto tick = [&](std::chrono::milliseconds within) {
    pollfd p{host.keeper.Descriptor(), POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(within.count())) <= 0) return false;
    host.keeper.Ready();
    return true;
  };
  EXPECT_FALSE(tick(200ms)) << "nothing runs: no timer";
  Object xl = host.Start("Excel.Application");
  xl.obj("Workbooks").call("Add").toObject().obj("Worksheets", 1).obj("Range", "A1").put("Value", 1);
  host.keeper.Served();
  const auto deadline = std::chrono::steady_clock::now() + runtime::testing::Within(2s);
  while (Copies().empty() && std::chrono::steady_clock::now() < deadline) tick(100ms);
  ASSERT_EQ(Copies().size(), 1u);
  xl.call("Quit");
  host.table.Sweep();
  while (!Copies().empty() && std::chrono::steady_clock::now() < deadline) tick(100ms);
  EXPECT_TRUE(Copies().empty());
  EXPECT_FALSE(tick(200ms)) << "nothing runs and no copy is kept: the timer stops";
}

}  // namespace
}  // namespace office::recovery
