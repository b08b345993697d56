#include "tests/e2e/e2e_support.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <stdexcept>
#include <thread>

#include "platform/office/host/client.h"
#include "platform/office/host/local_socket.h"
#include "platform/office/host/server.h"

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

namespace {

// The templates the cases open; the build's own are taken when the program folder has them.
pid_t HostOf(const std::string& socket) {
  const int fd = office::Connect(socket);
  if (fd < 0) return 0;
  ucred peer{};
  socklen_t size = sizeof peer;
  getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size);
  close(fd);
  return peer.pid;
}

// Where the hosts of the tests may write their screenshots.
std::string ScreenshotFolder() { return std::string(QORVANE_ARTEFACTS_DIR) + "/screenshots"; }

}  // namespace

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds within) {
  const auto deadline = std::chrono::steady_clock::now() + within;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

bool Matches(const nlohmann::json& line, const nlohmann::json& match) {
  for (const auto& [key, value] : match.items())
    if (!line.contains(key) || line[key] != value) return false;
  return true;
}

void MarketComparisonSheet(const Case& c) {
  if (c.Officectl({"run", "Excel"}).status != 0) throw std::runtime_error("Excel did not start");
  c.Eval("Excel.Workbooks.Open(\"" + c.programFolder() + "/市场法.xlt\")");
  c.Eval("Excel.Worksheets(\"市场法计算表\").Activate");
}

std::string CaseQuerySearch(const std::string& prefix) {
  return "toolbar gongjulan.Toolbar1 市场法交易案例查询\nwait 案例查询\nclear 案例查询.Text1\ntype 案例查询.Text1 " + prefix +
         "\nclick 案例查询.Command1\n";
}

int Count(const std::vector<nlohmann::json>& log, const nlohmann::json& match) {
  int n = 0;
  for (const auto& line : log) n += Matches(line, match);
  return n;
}

Case::Case() {
  char dir[] = "/tmp/qv-e2e-XXXXXX";
  if (mkdtemp(dir) == nullptr) throw std::runtime_error("no temporary folder");
  dir_ = dir;
  bin_ = dir_ + "/bin";
  socket_ = dir_ + "/office/socket";
  session_ = dir_ + "/session";
  fs::create_directory(bin_);
  for (const std::string& d : {dir_ + "/office", session_}) {
    fs::create_directory(d);
    chmod(d.c_str(), 0700);
  }
  // Copies, not links: a program's folder is where its file really lies.
  for (const auto& entry : fs::directory_iterator(QORVANE_BIN_DIR))
    if (entry.is_regular_file()) fs::copy_file(entry.path(), fs::path(bin_) / entry.path().filename());
}

Case::~Case() {
  for (pid_t pid : started_) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  // The programs that the programs started, from this case's program folder.
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::error_code error;
    const fs::path exe = fs::read_symlink(entry.path() / "exe", error);
    if (!error && exe.string().rfind(bin_ + "/", 0) == 0) kill(std::atoi(entry.path().filename().c_str()), SIGKILL);
  }
  if (const pid_t host = HostOf(socket_)) kill(host, SIGKILL);
  fs::remove_all(dir_);
}

pid_t Case::Spawn(const std::string& path, const std::vector<std::string>& args, const std::vector<std::string>& env,
                  int out, bool display) const {
  // What is set below replaces what this process has: the first of two equal names is the one
  // a program reads, and Screenshots() and the like set this case's socket in this process.
  const auto setBelow = [](std::string_view variable) {
    for (std::string_view name : {"OFFICEHOST_SOCKET=", "XDG_RUNTIME_DIR=", "QT_QPA_PLATFORM=", "OFFICEHOST_TEST_FOLDER="})
      if (variable.starts_with(name)) return true;
    return false;
  };
  const auto namesADisplay = [](std::string_view variable) {
    return variable.starts_with("DISPLAY=") || variable.starts_with("WAYLAND_DISPLAY=");
  };
  std::vector<std::string> environment;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view variable(*e);
    if (!setBelow(variable) && (display || !namesADisplay(variable))) environment.emplace_back(*e);
  }
  environment.push_back("OFFICEHOST_SOCKET=" + socket_);
  environment.push_back("XDG_RUNTIME_DIR=" + session_);
  // Every process offscreen: the programs' windows, and the office host's (whoever starts it).
  if (display) environment.push_back("QT_QPA_PLATFORM=offscreen");
  environment.push_back(std::string(office::kTestFolderVariable) + "=" + ScreenshotFolder());
  environment.insert(environment.end(), env.begin(), env.end());
  std::vector<char*> envp, argv;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> arguments = args;
  arguments.insert(arguments.begin(), path);
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (out >= 0) dup2(out, STDOUT_FILENO);
    execve(path.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  return pid;
}

pid_t Case::Start(const std::string& program, const std::string& run, const std::string& script) {
  const std::string scriptPath = dir_ + "/" + run + ".script";
  std::ofstream(scriptPath) << script;
  const pid_t pid = Spawn(bin_ + "/" + program, {},
                          {"STANDIN_SCRIPT=" + scriptPath,
                           "STANDIN_LOG=" + dir_ + "/" + run + ".log"},
                          -1);
  started_.push_back(pid);
  return pid;
}

void Case::StartHost(bool windows) {
  started_.push_back(Spawn(bin_ + "/officehost", {}, {}, -1, windows));
  if (!Eventually([&] { return HostPid() != 0; })) throw std::runtime_error("the office host did not start");
}

int Case::WaitForEnd(pid_t pid, std::chrono::milliseconds within) {
  int status = -1;
  // Looked at often: the benchmarks take the end's time from here.
  const auto deadline = std::chrono::steady_clock::now() + within;
  bool ended = false;
  while (!(ended = waitpid(pid, &status, WNOHANG) == pid) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  if (!ended) return -1;
  std::erase(started_, pid);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<nlohmann::json> Case::Log(const std::string& run) const {
  std::vector<nlohmann::json> lines;
  std::ifstream file(dir_ + "/" + run + ".log");
  for (std::string line; std::getline(file, line);)
    if (!line.empty()) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

bool Case::WaitForLog(const std::string& run, const nlohmann::json& match, std::chrono::milliseconds within) const {
  return Eventually(
      [&] {
        for (const auto& line : Log(run))
          if (Matches(line, match)) return true;
        return false;
      },
      within);
}

Output Case::Officectl(const std::vector<std::string>& args) const {
  int pipes[2];
  if (pipe(pipes) != 0) throw std::runtime_error("no pipe");
  const pid_t pid = Spawn(std::string(QORVANE_BIN_DIR) + "/officectl", args, {}, pipes[1]);
  close(pipes[1]);
  std::string out;
  char buffer[4096];
  for (ssize_t n; (n = read(pipes[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
  close(pipes[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::vector<std::string> Case::Screenshots(const std::string& name) const {
  setenv("OFFICEHOST_SOCKET", socket_.c_str(), 1);
  fs::create_directories(ScreenshotFolder());
  return office::SaveWindowScreenshots(ScreenshotFolder() + "/" + name);
}

void Case::Perform(const std::string& progid, const std::vector<std::string>& action) const {
  setenv("OFFICEHOST_SOCKET", socket_.c_str(), 1);
  office::PerformUserAction(progid, action);
}

std::map<std::string, std::int64_t> Case::HostRequests() const {
  setenv("OFFICEHOST_SOCKET", socket_.c_str(), 1);
  return office::HostRequestCounts();
}

std::string Case::Eval(const std::string& expression) const {
  std::string out = Officectl({"eval", expression}).out;
  if (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

pid_t Case::HostPid() const { return HostOf(socket_); }

double Case::ProcessorSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // The fields after the command name, which ends with the last ')': utime and stime are the
  // 12th and 13th of them.
  std::istringstream rest(text.substr(text.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 1; i <= 13 && rest >> field; ++i)
    if (i >= 12) ticks += std::stod(field);
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace e2e
