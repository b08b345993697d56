#pragma once
// The rows of a command: their positions (bookmarks, from 1) are fixed when the command runs,
// while the rows themselves are read from the database in blocks as they are shown, so a table of
// any size opens at once and no more than two blocks are held. One row is current; its changes
// wait in an edit buffer until Update writes them (or a new row, started by AddNew, is inserted).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/variant.h"
#include "platform/data/command_text.h"

namespace data {

class Connection;

class Recordset {
 public:
  static constexpr int kBlockRows = 100;

  // What changed, for the grids bound to the rows.
  enum class Change { Rows, Row, Current };
  std::function<void(Change, int position)> Changed;

  // Runs the command; a failure is the provider's error.
  Recordset(std::shared_ptr<const Connection> connection, Command command);
  // No rows, with the columns of a command that failed.
  explicit Recordset(std::vector<std::string> columns);

  int RecordCount() const;  // a row being added counts
  int FieldCount() const { return static_cast<int>(command_.columns.size()); }
  const std::vector<std::string>& FieldNames() const { return command_.columns; }
  int FieldIndex(const std::string& name) const;  // -1 when not a field

  // The current row's position, 0 when there is none.
  int AbsolutePosition() const { return position_; }
  // Leaves the current row first; stays on it when its changes are refused.
  void Move(int position);
  // The current row is left: its changes are saved, and a new row nobody typed into is dropped.
  void Leave();
  bool EditPending() const { return adding_ || !edits_.empty(); }
  bool Adding() const { return adding_; }

  // A field of the current row (No current record when there is none) or of any row.
  automation::Variant Fields(int index) const;
  automation::Variant Value(int position, int index) const;
  // Changes a field of the current row in its edit buffer.
  void setField(int index, const automation::Variant& value);

  void AddNew();
  void Update();
  void CancelUpdate();
  void Delete();

 private:
  using Row = std::vector<automation::Variant>;
  struct Block {
    int first = 0;  // position of its first row
    std::vector<std::optional<Row>> rows;
  };
  void RequireCurrent() const;
  const Row* Stored(int position) const;
  void Forget(int position);
  void Notify(Change change, int position = 0);

  std::shared_ptr<const Connection> connection_;
  Command command_;
  std::vector<std::int64_t> ids_;  // rowid by position − 1
  int position_ = 0;
  bool adding_ = false;
  std::map<int, automation::Variant> edits_;
  mutable std::vector<Block> blocks_;  // the most recently read first
};

}  // namespace data
