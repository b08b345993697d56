#pragma once
// The data control: a connection text, a record source (a command text or a table's name) and
// the rows its last refresh gave. Bound grids show those rows; an error the control meets by
// itself, while a grid commits a row the user edited, goes to its Error event.
//
//   Adodc1.setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=db.mdb;…");
//   Adodc1.setCommandType(data::CommandType::Text);
//   Adodc1.setRecordSource("select * from Table1");
//   Adodc1.Refresh();
//   DataGrid1.setDataSource(Adodc1);

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/command_text.h"
#include "platform/data/recordset.h"
#include "platform/ui/control.h"

namespace data {

class Connection;

class Adodc : public ui::Control {
 public:
  Adodc(ui::Form& form, std::string name);
  ~Adodc() override;

  const std::string& ConnectionString() const { return connectionString_; }
  void setConnectionString(const std::string& text);
  CommandType commandType() const { return commandType_; }
  void setCommandType(CommandType type) { commandType_ = type; }
  const std::string& RecordSource() const { return recordSource_; }
  void setRecordSource(const std::string& text) { recordSource_ = text; }

  // Opens the connection when needed and runs the record source. The current row is left first
  // (saved, or dropped when it is a new row nobody typed into), and a refusal leaves everything as
  // it was; a failing command leaves no rows (the
  // columns stay) and raises the provider's error.
  void Refresh();
  // The rows of the last refresh; Operation is not allowed when the object is closed before.
  Recordset& recordset() const;
  // The same for the bound grids: none before the first refresh.
  Recordset* rows() const { return rows_.get(); }

  // A grid moves the current row as the user asks: the row's changes are saved first. A refusal
  // goes to the Error event and keeps the row with the user's text; asked again, the control
  // drops the changes and moves on. False when the row stays.
  bool MoveForUser(int position);

  // Number as a signed 32-bit value, and the provider's description.
  std::function<void(std::int32_t Number, const std::string& Description)> Error;

  // The grids bound to it follow its rows.
  void Bind(std::function<void(Recordset::Change, int)> follower, const void* who);
  void Unbind(const void* who);

 private:
  void Adopt(std::unique_ptr<Recordset> rows);

  std::string connectionString_;
  CommandType commandType_ = CommandType::Unknown;
  std::string recordSource_;
  std::shared_ptr<Connection> connection_;
  std::unique_ptr<Recordset> rows_;
  bool refused_ = false;  // the user was told the current row's changes cannot be saved
  std::vector<std::pair<const void*, std::function<void(Recordset::Change, int)>>> followers_;
};

}  // namespace data
