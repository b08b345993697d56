#pragma once
// The stand-in Access: a current database, the tables shown from it, visibility and the maximised
// window. It records what is open and shown; it does not read the database file itself.

#include <memory>
#include <string>
#include <vector>

#include "platform/automation/member_table.h"
#include "platform/office/application.h"

namespace office::access {

struct AccessState {
  std::string currentDatabase;          // full path; empty when none is open
  std::vector<std::string> openTables;  // the last one is the active window
  std::string maximizedTable;           // the table whose window was maximised, if any
};

class AccessApplication : public automation::TableDispatch<AccessApplication, office::Application>,
                          public std::enable_shared_from_this<AccessApplication> {
 public:
  static const automation::MemberTable<AccessApplication>& Members();
  std::string TypeName() const override { return "Application"; }
  bool visible() const override { return visible_; }
  bool hasQuit() const override { return quit_; }
  const AccessState& state() const { return state_; }

  void openCurrentDatabase(const std::string& path);
  void openTable(const std::string& name);
  void maximize();

 private:
  AccessState state_;
  bool visible_ = false;
  bool quit_ = false;
};

std::shared_ptr<office::Application> CreateAccessApplication();

}  // namespace office::access
