// The office host as a process of its own, with clients in other processes: the tests' officehost
// (serving the fakes) beside this test program, on a socket in a directory of the test's own.

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/office/host/client.h"
#include "platform/office/host/local_socket.h"
#include "platform/office/host/server.h"
#include "platform/office/host/wire.h"
#include "platform/runtime/program_folder.h"
#include "platform/runtime/testing/error_number.h"
#include "platform/runtime/testing/time_bound.h"

namespace office {
namespace {

using automation::Object;
using namespace std::chrono_literals;

using runtime::testing::ErrorNumberOf;

bool Eventually(auto&& condition, std::chrono::milliseconds within = 2s) {
  for (auto i = 0ms; i < within; i += 10ms, std::this_thread::sleep_for(10ms))
    if (condition()) return true;
  return false;
}

struct Result {
  int status;
  std::string out, err;
};

class HostProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/qv-office-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    socket_ = dir_ + "/socket";
    setenv("OFFICEHOST_SOCKET", socket_.c_str(), 1);
  }
  void TearDown() override {
    if (const pid_t host = HostPid()) kill(host, SIGKILL);
    if (child_ > 0) waitpid(child_, nullptr, 0);
    std::filesystem::remove_all(dir_);
    unsetenv("OFFICEHOST_SOCKET");
  }

  // Started directly, as this test's child; uid switches it to another user first.
  void StartHost(uid_t uid = 0) {
    const std::string program = runtime::ProgramFolder() + "/officehost";
    child_ = fork();
    if (child_ == 0) {
      if (uid != 0 && setuid(uid) != 0) _exit(126);
      execl(program.c_str(), "officehost", static_cast<char*>(nullptr));
      _exit(127);
    }
    // The socket's file comes with bind, before the host listens: ready is when a client gets in.
    ASSERT_TRUE(Eventually([&] {
      const int fd = Connect(socket_);
      if (fd >= 0) close(fd);
      return fd >= 0;
    }));
  }

  pid_t HostPid() const {
    const int fd = Connect(socket_);
    if (fd < 0) return 0;
    ucred peer{};
    socklen_t size = sizeof peer;
    getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size);
    close(fd);
    return peer.pid;
  }

  Result Officectl(const std::string& args) const {
    const std::string out = dir_ + "/out", err = dir_ + "/err";
    const int status = std::system((std::string(OFFICECTL_PATH) + " " + args + " >" + out + " 2>" + err).c_str());
    const auto read = [](const std::string& path) {
      std::ostringstream s;
      s << std::ifstream(path).rdbuf();
      return s.str();
    };
    return {WEXITSTATUS(status), read(out), read(err)};
  }

  // One raw exchange with the host: its answer, or null when it closes or keeps silent.
  static wire::json Ask(int fd, wire::FrameReader& reader, const std::string& frame) {
    if (send(fd, frame.data(), frame.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(frame.size())) return {};
    for (;;) {
      if (auto answer = reader.Next()) return *answer;
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 3000) <= 0) return {};
      char buffer[4096];
      const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
      if (n <= 0) return {};
      reader.Append(buffer, static_cast<std::size_t>(n));
    }
  }

  std::string dir_, socket_;
  pid_t child_ = -1;
};

TEST(SocketDirectory, IsMadeForTheUserAloneAndRefusedWhenOthersCanReachIt) {
  char base[] = "/tmp/qv-office-XXXXXX";
  ASSERT_NE(mkdtemp(base), nullptr);
  const std::string dir = std::string(base) + "/sub";
  EXPECT_THROW(PrepareSocketDirectory(dir + "/socket", false), std::runtime_error);
  PrepareSocketDirectory(dir + "/socket", true);
  EXPECT_EQ(std::filesystem::status(dir).permissions() & std::filesystem::perms::all, std::filesystem::perms::owner_all);
  chmod(dir.c_str(), 0755);
  EXPECT_THROW(PrepareSocketDirectory(dir + "/socket", true), std::runtime_error);
  std::filesystem::remove(dir);
  std::filesystem::create_directory_symlink(base, dir);
  EXPECT_THROW(PrepareSocketDirectory(dir + "/socket", true), std::runtime_error);
  std::filesystem::remove_all(base);
}

TEST_F(HostProcess, AttachWithoutAHostFailsAndStartsNothing) {
  EXPECT_EQ(ErrorNumberOf([] { GetRunningObject("Excel.Application"); }), 429);
  EXPECT_FALSE(IsApplicationRunning("Excel.Application"));
  EXPECT_TRUE(RunningApplications().empty());
  EXPECT_FALSE(std::filesystem::exists(socket_));
}

TEST_F(HostProcess, CreateStartsTheHostAndAttachFindsOnlyWhatRuns) {
  const Object excel = CreateObject("excel.application");
  EXPECT_NE(HostPid(), 0);
  EXPECT_FALSE(excel.get("Visible").toBool());
  EXPECT_EQ(excel.obj("Workbooks").get("Count").toInt32(), 0);
  EXPECT_TRUE(IsApplicationRunning("Excel.Application"));
  EXPECT_EQ(GetRunningObject("EXCEL.APPLICATION"), excel);  // one proxy per host object
  EXPECT_EQ(ErrorNumberOf([] { GetRunningObject("Word.Application"); }), 429);
  EXPECT_EQ(RunningApplications().size(), 1u);
}

TEST_F(HostProcess, AnInvisibleApplicationQuitsWhenReleasedAVisibleOneStays) {
  StartHost();
  {
    const Object workbooks = CreateObject("Excel.Application").obj("Workbooks");
    EXPECT_TRUE(IsApplicationRunning("Excel.Application"));  // held through one of its objects
  }
  EXPECT_FALSE(IsApplicationRunning("Excel.Application"));

  CreateObject("Excel.Application").put("Visible", true);
  EXPECT_TRUE(IsApplicationRunning("Excel.Application"));
  GetRunningObject("Excel.Application").call("Quit");
  EXPECT_FALSE(IsApplicationRunning("Excel.Application"));
}

TEST_F(HostProcess, TheHostEndsWhenNoApplicationIsLeftAndNoClientConnected) {
  StartHost();
  ASSERT_EQ(Officectl("run Excel").status, 0);
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(waitpid(child_, nullptr, WNOHANG), 0) << "a visible Excel keeps it";
  ASSERT_EQ(Officectl("quit Excel").status, 0);
  EXPECT_TRUE(Eventually([&] { return waitpid(child_, nullptr, WNOHANG) == child_; }, 6s));
  child_ = -1;
  EXPECT_FALSE(std::filesystem::exists(socket_));
}

TEST_F(HostProcess, AKilledClientsReferencesAreReleased) {
  StartHost();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t client = fork();
  if (client == 0) {
    const Object excel = CreateObject("Excel.Application");
    const Object workbook = excel.obj("Workbooks").call("Add").toObject();
    (void)!write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_TRUE(IsApplicationRunning("Excel.Application"));
  kill(client, SIGKILL);
  waitpid(client, nullptr, 0);
  EXPECT_TRUE(Eventually([] { return !IsApplicationRunning("Excel.Application"); }));
  close(ready[0]);
  close(ready[1]);
}

TEST_F(HostProcess, ABusyHostIsWaitedForAndAGoneOneIsAnErrorAtOnce) {
  const Object excel = CreateObject("Excel.Application");
  const pid_t host = HostPid();
  kill(host, SIGSTOP);
  auto answer = std::async(std::launch::async, [&] { return excel.get("Visible"); });
  EXPECT_EQ(answer.wait_for(6s), std::future_status::timeout) << "a stopped host is busy, not gone";
  kill(host, SIGCONT);
  EXPECT_EQ(answer.get(), automation::Variant(false));

  kill(host, SIGKILL);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorNumberOf([&] { excel.obj("Workbooks"); }), kHostUnavailable);
  EXPECT_EQ(ErrorNumberOf([&] { excel.put("Visible", true); }), kHostUnavailable);
  EXPECT_LT(std::chrono::steady_clock::now() - start, runtime::testing::Within(1s));
  EXPECT_TRUE(Eventually([&] { return ErrorNumberOf([] { GetRunningObject("Excel.Application"); }) == 429; }));
  const Object again = CreateObject("Excel.Application");  // a new host
  EXPECT_NE(HostPid(), host);
  EXPECT_FALSE(again.get("Visible").toBool());
}

TEST_F(HostProcess, TheRequestOfAClientThatHasGoneIsNotCarriedOut) {
  const Object excel = CreateObject("Excel.Application");
  const int fd = Connect(socket_);
  ASSERT_GE(fd, 0);
  wire::FrameReader reader;
  const auto running = Ask(fd, reader, wire::EncodeFrame({{"op", "running"}, {"progid", "Excel.Application"}}));
  const auto handle = running.at("value").at(1).get<std::int64_t>();
  const pid_t host = HostPid();
  kill(host, SIGSTOP);
  const auto visible = wire::EncodeArguments({{"", automation::Variant(true)}}, {});
  const std::string put = wire::EncodeFrame(
      {{"op", "invoke"}, {"handle", handle}, {"member", "Visible"}, {"kind", 1}, {"args", visible}});
  ASSERT_EQ(send(fd, put.data(), put.size(), MSG_NOSIGNAL), static_cast<ssize_t>(put.size()));
  close(fd);
  kill(host, SIGCONT);
  EXPECT_FALSE(excel.get("Visible").toBool());
}

TEST_F(HostProcess, AFrameNestedTooDeeplyIsRefusedAndEveryoneIsStillServed) {
  const Object excel = CreateObject("Excel.Application");
  excel.obj("Workbooks").call("Add");
  const int fd = Connect(socket_);
  ASSERT_GE(fd, 0);
  wire::FrameReader reader;
  std::string payload(100000, '\x91');
  payload += '\xc0';
  std::string frame(4, '\0');
  for (int i = 0; i < 4; ++i) frame[static_cast<std::size_t>(i)] = static_cast<char>((payload.size() >> (24 - 8 * i)) & 0xFF);
  const auto answer = Ask(fd, reader, frame + payload);
  ASSERT_TRUE(answer.contains("error"));
  EXPECT_NE(answer.at("error").at(1).get<std::string>().find("nested"), std::string::npos);
  EXPECT_TRUE(Ask(fd, reader, wire::EncodeFrame({{"op", "hello"}})).contains("value"));
  close(fd);
  EXPECT_EQ(excel.obj("Workbooks").get("Count").toInt32(), 1);
}

TEST_F(HostProcess, AHostThatRefusesToStartSaysWhy) {
  const std::string planted = dir_ + "/planted";
  std::filesystem::create_symlink(planted, socket_ + ".lock");
  std::string description;
  try {
    CreateObject("Excel.Application");
  } catch (const automation::Error& e) {
    EXPECT_EQ(e.number(), 429);
    description = e.description();
  }
  EXPECT_NE(description.find("officehost did not start: cannot open the lock file"), std::string::npos) << description;
  EXPECT_FALSE(std::filesystem::exists(planted)) << "the link is not followed";
  std::filesystem::remove(socket_ + ".lock");

  chmod(dir_.c_str(), 0755);
  try {
    CreateObject("Excel.Application");
    ADD_FAILURE() << "started in a folder others can reach";
  } catch (const automation::Error& e) {
    EXPECT_NE(e.description().find("must be a directory of this user with mode 0700"), std::string::npos) << e.description();
  }
  chmod(dir_.c_str(), 0700);
  EXPECT_FALSE(CreateObject("Excel.Application").isNothing());
}

TEST_F(HostProcess, TheTestsOperationsAreServedOnlyToAHostStartedForTests) {
  StartHost();
  wire::FrameReader reader;
  int fd = Connect(socket_);
  const auto shot = wire::EncodeFrame({{"op", "screenshot"}, {"prefix", dir_ + "/shot"}});
  EXPECT_NE(Ask(fd, reader, shot).dump().find("unknown operation screenshot"), std::string::npos);
  EXPECT_NE(Ask(fd, reader, wire::EncodeFrame({{"op", "requests"}})).dump().find("unknown operation requests"),
            std::string::npos);
  close(fd);
  kill(child_, SIGKILL);
  waitpid(child_, nullptr, 0);
  std::filesystem::remove(socket_);

  setenv(kTestFolderVariable, dir_.c_str(), 1);
  StartHost();
  unsetenv(kTestFolderVariable);
  fd = Connect(socket_);
  EXPECT_NE(Ask(fd, reader, wire::EncodeFrame({{"op", "screenshot"}, {"prefix", "/tmp/elsewhere"}})).dump().find("only into"),
            std::string::npos);
  EXPECT_NE(Ask(fd, reader, wire::EncodeFrame({{"op", "screenshot"}, {"prefix", dir_ + "/../x"}})).dump().find("only into"),
            std::string::npos);
  EXPECT_NE(Ask(fd, reader, shot).dump().find("shows no windows"), std::string::npos) << "served, by a host without windows";
  close(fd);
}

TEST_F(HostProcess, TwoCreatorsAtOnceShareOneHost) {
  int pids[2], done[2];
  ASSERT_EQ(pipe(pids), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t children[2];
  for (pid_t& child : children) {
    child = fork();
    if (child == 0) {
      close(done[1]);
      const Object excel = CreateObject("Excel.Application");
      const pid_t host = HostPid();
      (void)!write(pids[1], &host, sizeof host);
      char c;
      (void)!read(done[0], &c, 1);  // hold the Excel until both have answered
      _exit(0);
    }
  }
  close(done[0]);
  pid_t hosts[2] = {};
  for (pid_t& host : hosts) ASSERT_EQ(read(pids[0], &host, sizeof host), static_cast<ssize_t>(sizeof host));
  close(done[1]);
  for (const pid_t child : children) waitpid(child, nullptr, 0);
  close(pids[0]);
  close(pids[1]);
  EXPECT_NE(hosts[0], 0);
  EXPECT_EQ(hosts[0], hosts[1]);
}

TEST_F(HostProcess, APeerOfAnotherUserIsRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run the host as another user";
  constexpr uid_t kOther = 65534;
  ASSERT_EQ(chown(dir_.c_str(), kOther, kOther), 0);
  StartHost(kOther);
  const int fd = Connect(socket_);  // root reaches the directory, but is not the host's user
  ASSERT_GE(fd, 0);
  wire::FrameReader reader;
  EXPECT_TRUE(Ask(fd, reader, wire::EncodeFrame({{"op", "hello"}})).is_null());
  close(fd);

  int answered[2];
  ASSERT_EQ(pipe(answered), 0);
  const pid_t client = fork();
  if (client == 0) {
    if (setuid(kOther) != 0) _exit(1);
    _exit(IsApplicationRunning("Excel.Application") || CreateObject("Excel.Application").isNothing() ? 1 : 0);
  }
  int status = 0;
  waitpid(client, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the host's own user is served";
}

TEST_F(HostProcess, AMalformedRequestGetsAnErrorAndTheHostGoesOn) {
  StartHost();
  const int fd = Connect(socket_);
  ASSERT_GE(fd, 0);
  wire::FrameReader reader;
  const auto ask = [&](const std::string& frame) { return Ask(fd, reader, frame); };
  EXPECT_TRUE(ask(std::string("\0\0\0\3", 4) + "\xc1\xc1\xc1").contains("error"));
  EXPECT_TRUE(ask(wire::EncodeFrame({{"op", "fly"}})).contains("error"));
  EXPECT_TRUE(ask(wire::EncodeFrame({{"op", "invoke"}, {"handle", 99}, {"member", "Visible"}, {"kind", 0}, {"args", wire::json::array()}})).contains("error"));
  EXPECT_TRUE(ask(wire::EncodeFrame(wire::json::array({1, 2}))).contains("error"));
  const auto chain = [&](const wire::json& steps) {
    return ask(wire::EncodeFrame({{"op", "chain"}, {"handle", 99}, {"steps", steps}}));
  };
  EXPECT_TRUE(chain(wire::json::array()).contains("error"));
  EXPECT_TRUE(chain(wire::json::array({wire::json::array({"Visible", 7, wire::json::array()})})).contains("error"));
  EXPECT_TRUE(ask(wire::EncodeFrame({{"op", "hello"}})).contains("value"));

  const Object excel = CreateObject("Excel.Application");  // another client meanwhile
  EXPECT_TRUE(ask(std::string("\xff\xff\xff\xff", 4)).is_null());  // cannot resynchronise: dropped
  close(fd);
  EXPECT_FALSE(excel.get("Visible").toBool());
}

// A chain of members is one request, which gives what its steps one by one give and fails where
// they fail. Objects let go of are released with the next request, all in one message.
TEST_F(HostProcess, AMemberChainIsOneRequestAndReleasesGoWithTheNextOne) {
  setenv(kTestFolderVariable, dir_.c_str(), 1);
  StartHost();
  unsetenv(kTestFolderVariable);
  using automation::Path;
  const Object excel = CreateObject("Excel.Application");
  excel.obj("Workbooks").call("Open", "/path/to/市场法.xlt");
  auto before = HostRequestCounts();
  Path(excel).to("Worksheets", "参数").to("Range", "E7").put("Value", "张三");
  EXPECT_EQ(Path(excel).to("Worksheets", "参数").to("Range", "E7").get("Value"), automation::Variant("张三"));
  const long missingSheet = ErrorNumberOf([&] { Path(excel).to("Worksheets", "无此表").to("Range", "E7").get("Value"); });
  EXPECT_NE(missingSheet, 0);
  EXPECT_EQ(missingSheet, ErrorNumberOf([&] { excel.obj("Worksheets", "无此表").obj("Range", "E7").get("Value"); }));
  EXPECT_EQ(ErrorNumberOf([&] { Path(excel).to("Visible").get("Value"); }), automation::errors::kObjectRequired);
  auto after = HostRequestCounts();
  EXPECT_EQ(after["chain"] - before["chain"], 4);
  EXPECT_EQ(after["invoke"] - before["invoke"], 1) << "the steps one by one, up to the failing one";
  EXPECT_EQ(after["release"], before["release"]) << "a chain keeps no object";

  {
    std::vector<Object> cells;
    for (const char* cell : {"A1", "A2", "A3"}) cells.push_back(excel.obj("Worksheets", "参数").obj("Range", cell));
    after = HostRequestCounts();
  }
  const auto released = HostRequestCounts();
  EXPECT_EQ(released.at("release") - after.at("release"), 1) << "the sheet and its three cells in one message";
  EXPECT_EQ(released.at("invoke") - after.at("invoke"), 0);
  EXPECT_EQ(Path(excel).to("Worksheets", "参数").to("Range", "E7").get("Value"), automation::Variant("张三"));
}

TEST_F(HostProcess, TwoProcessesShareOneWorkbookAndOneDocument) {
  StartHost();
  ASSERT_EQ(Officectl("run Excel").status, 0);
  ASSERT_EQ(Officectl("run Word").status, 0);
  EXPECT_EQ(Officectl("status").out, "Excel.Application visible\nWord.Application visible\n");

  EXPECT_EQ(Officectl("eval 'Excel.Workbooks.Open(\"/path/to/市场法.xlt\")'").out, "<object>\n");
  EXPECT_EQ(Officectl("eval 'Excel.ActiveWorkbook.Worksheets(\"参数\").Range(\"E7\").Value = \"张三\"'").status, 0);
  const Object excel = GetRunningObject("Excel.Application");
  EXPECT_EQ(excel.obj("Workbooks").get("Count").toInt32(), 2);
  EXPECT_EQ(excel.obj("ActiveWorkbook").obj("Worksheets", "参数").obj("Range", "E7").get("Value"), automation::Variant("张三"));
  excel.obj("Worksheets", "市场法计算表").obj("Range", "B1").put("Value", 12.5);
  EXPECT_EQ(Officectl("eval 'Excel.Worksheets(\"市场法计算表\").Range(\"B1\").Value'").out, "12.5\n");

  const Object word = GetRunningObject("word.application");
  word.obj("ActiveDocument").obj("Tables", 1).call("Cell", 2, 1).toObject().obj("Range").put("Text", "旧值");
  EXPECT_EQ(Officectl("eval 'Word.ActiveDocument.Tables(1).Cell(2,1).Range.Text'").out, "旧值\n");
  word.obj("Selection").obj("Find").put("Text", "旧");  // the find settings persist across processes
  EXPECT_EQ(Officectl("eval 'Word.Selection.Find.Execute(ReplaceWith:=\"新\", Replace:=2)'").out, "True\n");
  EXPECT_EQ(Officectl("eval 'Word.Selection.Find.Execute(Replace:=2)'").out, "False\n");
  EXPECT_EQ(word.obj("ActiveDocument").obj("Tables", 1).call("Cell", 2, 1).toObject().obj("Range").get("Text"),
            automation::Variant("新值"));

  const Result quit = Officectl("quit Excel");
  EXPECT_EQ(quit.status, 0) << quit.err;
  EXPECT_EQ(Officectl("status").out, "Word.Application visible\n");
  const Result missing = Officectl("eval 'Excel.Visible'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error 429: ActiveX component can't create object\n");
}

}  // namespace
}  // namespace office
