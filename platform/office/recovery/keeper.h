#pragma once
// The office host's recovery copies: while a workbook or document is changed and unsaved, a copy
// of it is written every period (when it changed since its last copy) into the recovery folder
// beside the host's socket; the copy goes once the file is saved or closed, however it was
// closed (its changes kept or discarded), and when its application quits. Only a host that ends
// without that (it crashed or was killed) leaves copies behind: the next host collects them and
// offers them to the user when an application of their kind shows its windows.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/office/host/running_objects.h"
#include "platform/office/host/server.h"
#include "platform/office/recovery/copy_folder.h"
#include "platform/office/recovery/kept_files.h"

namespace office::recovery {

// Set by the tests for the hosts they start (only with kTestFolderVariable): the period in milliseconds.
inline constexpr const char* kPeriodVariable = "OFFICEHOST_RECOVERY_MILLISECONDS";
inline constexpr std::chrono::milliseconds kPeriod = std::chrono::minutes(1);

// A minute, or the tests' period.
std::chrono::milliseconds Period();
// The folder "recovery" beside the host's socket, in the user's private folder.
std::string FolderBesideSocket();

class Keeper : public HostTask {
 public:
  Keeper(std::string folder, std::chrono::milliseconds period);
  ~Keeper() override;
  Keeper(const Keeper&) = delete;
  Keeper& operator=(const Keeper&) = delete;

  // Keeps the copies of the table's files from now on, and collects the copies left in the
  // folder. A folder that cannot be used is reported on the standard error, and no copies are kept.
  void Keep(RunningObjectTable& table);
  // The copies of what is saved or closed go.
  void Tidy();
  // Tidies, then writes a copy of each changed, unsaved file that changed since its last copy.
  void WriteCopies();

  int Descriptor() const override { return timer_; }
  void Ready() override;
  void Served() override;

  // The copies left by an earlier host for that application, not yet offered; offered from now on.
  std::vector<LeftCopy> TakeLeftCopies(std::string_view progid);
  // Offered and neither opened nor discarded: kept for the application's next start.
  void KeepForLater(const LeftCopy& copy);
  // Opened in the application, whose file it then is until it is saved or closed. Throws what
  // OpenCopy throws; the copy then stays offered.
  void Open(const LeftCopy& copy, const std::shared_ptr<Application>& app);
  void Discard(const LeftCopy& copy);

  // The keeper at work in this process (the last one to Keep), for the windows' offer; null where none is.
  static Keeper* OfThisHost();

 private:
  struct Kept {
    std::string id;
    std::unique_ptr<KeptFile> file;
  };
  struct Left {
    LeftCopy copy;
    bool offered = false;
  };
  void Arm(bool on);
  void Write(Kept& kept);

  CopyFolder folder_;
  std::chrono::milliseconds period_;
  RunningObjectTable* table_ = nullptr;
  int timer_;
  bool armed_ = false;
  std::chrono::steady_clock::time_point nextWrite_;
  std::vector<Kept> kept_;
  std::vector<Left> left_;
};

// The host's loop with the keeper at work from its start (once the host holds its lock) to its end.
HostLoop Keeping(Keeper& keeper, HostLoop loop);

}  // namespace office::recovery
