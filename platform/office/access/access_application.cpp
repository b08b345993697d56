#include "platform/office/access/access_application.h"

#include <filesystem>

namespace office::access {
namespace {

using automation::Args;
using automation::MemberTable;
using automation::Object;
using automation::Variant;

constexpr long kActionNotAvailable = 2046;
constexpr long kObjectClosed = 2467;
constexpr long kDatabaseMissing = 7866;
constexpr long kDatabaseAlreadyOpen = 7867;

[[noreturn]] void NotAvailable(const std::string& action) {
  automation::Raise(kActionNotAvailable, "The command or action '" + action + "' isn't available now.");
}

std::shared_ptr<AccessApplication> Lock(const std::weak_ptr<AccessApplication>& app) {
  auto locked = app.lock();
  if (!locked) automation::Raise(kObjectClosed, "The expression refers to an object that is closed or doesn't exist.");
  return locked;
}

class CurrentProjectObject : public automation::TableDispatch<CurrentProjectObject> {
 public:
  explicit CurrentProjectObject(std::weak_ptr<AccessApplication> app) : app_(std::move(app)) {}
  static const MemberTable<CurrentProjectObject>& Members() {
    static const auto table = MemberTable<CurrentProjectObject>().Property("FullName", [](CurrentProjectObject& p, const Args&) {
      return Variant(Lock(p.app_)->state().currentDatabase);
    });
    return table;
  }
  std::string TypeName() const override { return "CurrentProject"; }

 private:
  std::weak_ptr<AccessApplication> app_;
};

class DoCmdObject : public automation::TableDispatch<DoCmdObject> {
 public:
  explicit DoCmdObject(std::weak_ptr<AccessApplication> app) : app_(std::move(app)) {}
  static const MemberTable<DoCmdObject>& Members() {
    static const auto table = MemberTable<DoCmdObject>()
                                  .Method("OpenTable", {"TableName"},
                                          [](DoCmdObject& d, const Args& a) {
                                            Lock(d.app_)->openTable(a[0].toText());
                                            return Variant();
                                          })
                                  .Method("Maximize", {}, [](DoCmdObject& d, const Args&) {
                                    Lock(d.app_)->maximize();
                                    return Variant();
                                  });
    return table;
  }
  std::string TypeName() const override { return "DoCmd"; }

 private:
  std::weak_ptr<AccessApplication> app_;
};

}  // namespace

const MemberTable<AccessApplication>& AccessApplication::Members() {
  static const auto table =
      MemberTable<AccessApplication>()
          .Method("OpenCurrentDatabase", {"filepath"},
                  [](AccessApplication& a, const Args& args) {
                    a.openCurrentDatabase(args[0].toText());
                    return Variant();
                  })
          .Method("CloseCurrentDatabase", {},
                  [](AccessApplication& a, const Args&) {
                    a.state_ = {};
                    return Variant();
                  })
          .Property("CurrentProject",
                    [](AccessApplication& a, const Args&) {
                      return Variant(Object(std::make_shared<CurrentProjectObject>(a.weak_from_this())));
                    })
          .Property("DoCmd",
                    [](AccessApplication& a, const Args&) { return Variant(Object(std::make_shared<DoCmdObject>(a.weak_from_this()))); })
          .Property("Visible", [](AccessApplication& a, const Args&) { return Variant(a.visible_); },
                    [](AccessApplication& a, const Args&, const Variant& v) { a.visible_ = v.toBool(); })
          .Method("Quit", {}, [](AccessApplication& a, const Args&) {
            a.state_ = {};
            a.visible_ = false;
            a.quit_ = true;
            return Variant();
          });
  return table;
}

void AccessApplication::openCurrentDatabase(const std::string& path) {
  if (!state_.currentDatabase.empty()) automation::Raise(kDatabaseAlreadyOpen, "You already have the database open.");
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    automation::Raise(kDatabaseMissing, "Microsoft Access can't open the database because it is missing: " + path);
  state_.currentDatabase = std::filesystem::absolute(path, ec).lexically_normal().string();
}

void AccessApplication::openTable(const std::string& name) {
  if (state_.currentDatabase.empty()) NotAvailable("OpenTable");
  // Opening a shown table again only brings its window to the front.
  std::erase(state_.openTables, name);
  state_.openTables.push_back(name);
}

void AccessApplication::maximize() {
  if (state_.openTables.empty()) NotAvailable("Maximize");
  state_.maximizedTable = state_.openTables.back();
}

std::shared_ptr<office::Application> CreateAccessApplication() { return std::make_shared<AccessApplication>(); }

}  // namespace office::access
