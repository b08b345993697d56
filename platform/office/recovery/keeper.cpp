#include "platform/office/recovery/keeper.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "platform/office/host/local_socket.h"

namespace office::recovery {
namespace {

using namespace std::chrono_literals;

// How soon the copy of a saved or closed file goes, at the latest.
constexpr std::chrono::milliseconds kTidyInterval = 1s;

Keeper* thisHost = nullptr;

}  // namespace

std::chrono::milliseconds Period() {
  const char* tests = std::getenv(kTestFolderVariable);
  const char* period = std::getenv(kPeriodVariable);
  if (!tests || !*tests || !period || !*period) return kPeriod;
  char* end = nullptr;
  const long milliseconds = std::strtol(period, &end, 10);
  return *end == '\0' && milliseconds > 0 ? std::chrono::milliseconds(milliseconds) : kPeriod;
}

std::string FolderBesideSocket() { return (std::filesystem::path(SocketPath()).parent_path() / "recovery").string(); }

Keeper::Keeper(std::string folder, std::chrono::milliseconds period)
    : folder_(std::move(folder)), period_(period), timer_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
  if (timer_ < 0) throw std::runtime_error("no timer for the recovery copies");
}

Keeper::~Keeper() {
  if (thisHost == this) thisHost = nullptr;
  close(timer_);
}

Keeper* Keeper::OfThisHost() { return thisHost; }

void Keeper::Keep(RunningObjectTable& table) {
  thisHost = this;
  try {
    folder_.Prepare();
    for (LeftCopy& copy : folder_.Collect()) left_.push_back({std::move(copy)});
    table_ = &table;
  } catch (const std::exception& e) {
    std::cerr << "officehost: no recovery copies are kept: " << e.what() << '\n';
  }
}

void Keeper::Arm(bool on) {
  const auto tidy = std::min(period_, kTidyInterval);
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(tidy);
  const timespec interval{seconds.count(), std::chrono::duration_cast<std::chrono::nanoseconds>(tidy - seconds).count()};
  const itimerspec spec{on ? interval : timespec{}, on ? interval : timespec{}};
  timerfd_settime(timer_, 0, &spec, nullptr);
  armed_ = on;
}

void Keeper::Served() {
  if (!table_ || armed_ || table_->Applications().empty()) return;
  nextWrite_ = std::chrono::steady_clock::now() + period_;
  Arm(true);
}

void Keeper::Ready() {
  std::uint64_t expirations = 0;
  if (read(timer_, &expirations, sizeof expirations) != sizeof expirations || !table_) return;
  if (const auto now = std::chrono::steady_clock::now(); now >= nextWrite_) {
    WriteCopies();
    nextWrite_ = now + period_;
  } else {
    Tidy();
  }
  if (kept_.empty() && table_->Applications().empty()) Arm(false);
}

void Keeper::Tidy() {
  std::erase_if(kept_, [&](const Kept& k) {
    if (k.file->Open() && !k.file->Saved()) return false;
    folder_.Remove(k.id);
    return true;
  });
}

void Keeper::WriteCopies() {
  Tidy();
  if (!table_) return;
  for (const auto& running : table_->Applications())
    for (auto& file : OpenFiles(running->application)) {
      if (file->Saved()) continue;
      const auto known = std::find_if(kept_.begin(), kept_.end(), [&](const Kept& k) { return k.file->Model() == file->Model(); });
      if (known != kept_.end()) {
        Write(*known);
        continue;
      }
      kept_.push_back({folder_.NewId(), std::move(file)});
      Write(kept_.back());
    }
}

// A copy that cannot be written (a full disk, a text that is not UTF-8) leaves the last one.
void Keeper::Write(Kept& kept) {
  try {
    if (!kept.file->Changed()) return;
    folder_.Write(kept.id, kept.file->Info(), [&](const std::string& path) { kept.file->WriteCopy(path); });
  } catch (const std::exception& e) {
    std::cerr << "officehost: no recovery copy of " << kept.file->Info().name << ": " << e.what() << '\n';
  }
}

std::vector<LeftCopy> Keeper::TakeLeftCopies(std::string_view progid) {
  std::vector<LeftCopy> taken;
  for (Left& left : left_)
    if (!left.offered && left.copy.info.progid == progid) {
      left.offered = true;
      taken.push_back(left.copy);
    }
  return taken;
}

void Keeper::KeepForLater(const LeftCopy& copy) {
  for (Left& left : left_)
    if (left.copy.id == copy.id) left.offered = false;
}

void Keeper::Open(const LeftCopy& copy, const std::shared_ptr<Application>& app) {
  auto file = OpenCopy(app, folder_.ContentPath(copy.id), copy.info);
  std::erase_if(left_, [&](const Left& left) { return left.copy.id == copy.id; });
  kept_.push_back({copy.id, std::move(file)});
  Served();
}

void Keeper::Discard(const LeftCopy& copy) {
  std::erase_if(left_, [&](const Left& left) { return left.copy.id == copy.id; });
  folder_.Remove(copy.id);
}

HostLoop Keeping(Keeper& keeper, HostLoop loop) {
  return [&keeper, loop = std::move(loop)](HostServer& server) {
    keeper.Keep(server.table());
    server.SetTask(&keeper);
    loop(server);
    server.SetTask(nullptr);
    keeper.Tidy();
  };
}

}  // namespace office::recovery
