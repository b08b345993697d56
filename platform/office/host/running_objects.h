#pragma once
// The running-object table: the applications that run, by programmatic identifier, and the
// rule that decides how long each lives. The office host and in-process hosting share it.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/office/application.h"

namespace office {

// Programmatic identifier -> factory; identifiers compare case-insensitively.
class ApplicationRegistry {
 public:
  struct Entry {
    std::string progid;  // as registered
    ApplicationFactory factory;
  };
  void Register(std::string_view progid, ApplicationFactory factory);
  const Entry* Find(std::string_view progid) const;

 private:
  std::map<std::string, Entry, std::less<>> entries_;
};

struct RunningApplication {
  std::string progid;  // as registered
  std::shared_ptr<Application> application;
  int references = 0;  // held by clients; the table itself does not count
};

class RunningObjectTable {
 public:
  explicit RunningObjectTable(ApplicationRegistry registry) : registry_(std::move(registry)) {}

  // A new application object; Cannot create object (429) when the identifier is not registered.
  std::shared_ptr<RunningApplication> Create(std::string_view progid);
  // The earliest started application of that identifier that still runs; 429 when none.
  std::shared_ptr<RunningApplication> Running(std::string_view progid) const;
  bool IsRunning(std::string_view progid) const;
  const std::vector<std::shared_ptr<RunningApplication>>& Applications() const { return running_; }
  // Drops what has quit, and invisible applications that nobody references any more.
  void Sweep();

 private:
  ApplicationRegistry registry_;
  std::vector<std::shared_ptr<RunningApplication>> running_;
};

}  // namespace office
