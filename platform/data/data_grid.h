#pragma once
// The data grid: a table view bound to a data control, one column per field headed by its name
// (or the columns set at design, each bound to a field by name), fetching the rows it shows.
// Rows are counted by bookmark from 1; Row is the current row's index among the visible rows.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/recordset.h"
#include "platform/ui/control.h"

class QTableView;

namespace data {

class Adodc;
class GridModel;

struct GridColumn {
  std::string DataField;
  std::string Caption;
};

class DataGrid : public ui::Control {
 public:
  DataGrid(ui::Form& form, std::string name);
  ~DataGrid() override;

  void setDataSource(Adodc& source);
  void setColumns(std::vector<GridColumn> columns);
  void setAllowUpdate(bool allow);
  bool AllowUpdate() const { return allowUpdate_; }

  // The window that the grid's messages are addressed to.
  QWidget& hWnd() const;
  int Row() const;  // Invalid row number when the grid has no current row
  void setRow(int row);
  int FirstRow() const;  // 0 when the grid shows no row
  int Bookmark() const;  // 0 when there is no current row
  void setBookmark(int bookmark);
  int Col() const { return col_; }
  int ApproxCount() const;
  int VisibleRows() const;
  std::string Text(int bookmark, int column) const;  // as shown
  std::string ColumnCaption(int column) const;
  int ColumnCount() const;

  // As a click on the cell (COL from 1) and as typing into it and leaving it.
  void ScriptGoTo(int bookmark, int column) override;
  void ScriptEdit(int bookmark, int column, const std::string& text) override;
  ui::LogEntry Dump() const override;

  std::function<void(int LastRow, int LastCol)> RowColChange;

 private:
  friend class GridModel;
  void Follow(Recordset::Change change, int position);
  void ShowCurrent();
  void FitColumns();
  void Report(bool always);
  void ViewMoved(int row, int column);
  Recordset* Rows() const;
  int FieldOf(int column) const;

  QTableView* view_;
  std::unique_ptr<GridModel> model_;
  Adodc* source_ = nullptr;
  std::vector<GridColumn> columns_;
  bool allowUpdate_ = true;
  bool following_ = false;  // the view is being set to the control's current row
  int col_ = 0;
  int reportedRow_ = 0, reportedCol_ = 0;  // the current cell of the last RowColChange
};

}  // namespace data
