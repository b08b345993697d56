#include "platform/data/adodc.h"

#include "platform/data/connection.h"
#include "platform/data/provider_errors.h"
#include "platform/runtime/error.h"

namespace data {

Adodc::Adodc(ui::Form& form, std::string name) : Control(form, std::move(name), nullptr) {}

Adodc::~Adodc() = default;

void Adodc::setConnectionString(const std::string& text) {
  if (text != connectionString_) connection_.reset();
  connectionString_ = text;
}

void Adodc::Refresh() {
  if (rows_) rows_->Leave();
  try {
    if (!connection_) connection_ = std::make_shared<Connection>(DataSourcePath(connectionString_));
    const Connection& db = *connection_;
    Command command = ReadCommand(commandType_, recordSource_, [&db](const std::string& name, std::string& table) {
      return db.Columns(name, table);
    });
    Adopt(std::make_unique<Recordset>(connection_, std::move(command)));
  } catch (const runtime::Error&) {
    Adopt(std::make_unique<Recordset>(rows_ ? rows_->FieldNames() : std::vector<std::string>()));
    throw;
  }
}

Recordset& Adodc::recordset() const {
  if (!rows_) runtime::Raise(errors::kNotOpen, "对象关闭时，不允许操作。");
  return *rows_;
}

void Adodc::Adopt(std::unique_ptr<Recordset> rows) {
  refused_ = false;
  rows_ = std::move(rows);
  rows_->Changed = [this](Recordset::Change change, int position) {
    for (auto& [who, follow] : followers_) follow(change, position);
  };
  for (auto& [who, follow] : followers_) follow(Recordset::Change::Rows, 0);
}

bool Adodc::MoveForUser(int position) {
  if (!rows_) return false;
  try {
    rows_->Move(position);
  } catch (const runtime::Error& e) {
    if (refused_ && rows_->EditPending()) {
      rows_->CancelUpdate();
      refused_ = false;
      return MoveForUser(position);
    }
    refused_ = rows_->EditPending();
    Fire<std::int32_t, const std::string&>(Error, static_cast<std::int32_t>(e.number()), e.description());
    return false;
  }
  refused_ = false;
  return true;
}

void Adodc::Bind(std::function<void(Recordset::Change, int)> follower, const void* who) {
  Unbind(who);
  followers_.emplace_back(who, std::move(follower));
}

void Adodc::Unbind(const void* who) {
  std::erase_if(followers_, [who](const auto& f) { return f.first == who; });
}

}  // namespace data
