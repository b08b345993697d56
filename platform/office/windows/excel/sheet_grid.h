#pragma once
// The grid of one sheet: a table model that reads the sheet's cells as they show (the value in
// the cell's number format, as Range.Text gives it), and the table view that shows it with
// Excel's headers, widths and hidden rows. The model has the whole sheet's size; it reads only
// the cells the view asks for, and between two refreshes it answers from what it last read.

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/office/excel/workbook_model.h"
#include "platform/office/windows/excel/column_drag.h"

namespace office::windows::excel_window {

// The text a cell shows: its value in the cell's number format, as Range.Text gives it.
std::string ShownText(excel::BookModel& book, const excel::SheetModel& sheet, int row, int column);

// Excel's width unit is a character: about 7 pixels each, plus 5 for the margins.
int ColumnPixels(double width);
inline constexpr int kRowPixels = 20;
// A row height in points, in pixels at the scale of the standard row.
int RowPixels(double points);

// Roles beside Qt's own (fill: BackgroundRole, font: FontRole, font colour: ForegroundRole,
// alignment: TextAlignmentRole) for what a cell's format adds: its borders, as a
// `PackedBorders`, and whether its text wraps.
inline constexpr int kBordersRole = Qt::UserRole + 1;
inline constexpr int kWrapRole = Qt::UserRole + 2;
// The four border lines of a cell, four bits each by excel::Side.
unsigned PackedBorders(const excel::CellFormat& format);
excel::BorderLine BorderOf(unsigned packed, excel::Side side);
// Draws a cell's border lines inside its outer edges, a pixel of the line `scale` device pixels
// wide (1 on the screen, more on paper).
void DrawBorders(QPainter& painter, unsigned packed, const QRectF& edges, qreal scale = 1);
// Draws a cell's text inside its outer edges, less the cell's padding (`scale` as above): wrapped
// at the cell's width when the cell wraps, else on one line, placed by the alignment. The text may
// reach past the edges; the caller clips.
void DrawCellText(QPainter& painter, const QRectF& edges, const QString& text, Qt::Alignment alignment, bool wrap, qreal scale = 1);
// Characters of a cell's text that its cell shows; measuring more would cost what nobody sees.
inline constexpr int kShownCharacters = 1024;

class SheetTableModel : public QAbstractTableModel {
 public:
  // Takes the text typed into a cell; false when the write was refused.
  using Writer = std::function<bool(int row, int column, const std::string& text)>;
  explicit SheetTableModel(Writer writer) : writer_(std::move(writer)) {}

  // The sheet shown from now on (none: an empty book pointer). Forgets what it read.
  void SetSheet(std::shared_ptr<excel::BookModel> book, excel::SheetId sheet);
  excel::BookModel* book() const { return book_.get(); }
  excel::SheetModel* sheet() const;

  // Reads the cells of the area again; true when any of them shows otherwise than before.
  bool Refresh(const excel::Area& visible);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  struct Shown {
    QString text;
    int alignment = 0;
    bool operator==(const Shown&) const = default;
  };
  static quint64 Key(int row, int column) { return (static_cast<quint64>(row) << 16) | static_cast<quint64>(column); }
  Shown Read(int row, int column) const;

  Writer writer_;
  std::shared_ptr<excel::BookModel> book_;
  excel::SheetId sheet_ = excel::kOwnSheet;
  // What the cells of `read_` showed at the last refresh (empty cells absent), and what the view
  // asked for outside it since.
  mutable QHash<quint64, Shown> shown_;
  excel::Area read_{1, 1, 0, 0};
};

class SheetGrid;

// Draws a cell as Excel does: its grid lines, a text too long for it running on over the empty
// cells to its right, the active cell framed. Remembers the cell editor, so that the grid can
// drop it unwritten.
class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(SheetGrid* grid);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* editor() const { return editor_; }
  // Whether the editor was last closed by Shift+Enter rather than Enter; the key is gone by the
  // time the editor closes.
  bool enteredBack() const { return enteredBack_; }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  SheetGrid* grid_;
  mutable QPointer<QWidget> editor_;
  bool enteredBack_ = false;
};

class SheetGrid : public QTableView {
 public:
  explicit SheetGrid(SheetTableModel* model, QWidget* parent = nullptr);

  // The cells in the viewport now.
  excel::Area VisibleArea() const;
  // Brings hidden rows and column widths in line with the sheet; cost: nothing while they are as
  // they were, else about a microsecond a hidden row.
  // Row heights and merged areas likewise.
  void ApplyLayout(const excel::SheetModel& sheet);
  // Closes an open cell editor without writing what it holds.
  void DropEditor();
  bool Editing() const { return state() == QAbstractItemView::EditingState; }
  // Where the selection began: the pressed cell of a drag or a shift-click, else the current
  // cell. Excel keeps its active cell there.
  QModelIndex Anchor() const { return anchor_; }

  std::function<void()> onDeletePressed;
  // The window's own keys (copy, paste, undo), asked first; true when the key was one of them.
  std::function<bool(const QKeyEvent&)> onKey;
  // A column (from 0) dragged at its header's border to that many pixels; answers the pixels it has.
  std::function<int(int column, int pixels)> onColumnDragged;
  void AllowColumnDrag(bool allowed) { columnDrag_->Allow(allowed); }
  // Asked before the user starts editing a cell; false refuses the editor (the hook says why).
  std::function<bool(const QModelIndex&)> onEditStart;

 protected:
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  CellDelegate* delegate_;
  ColumnDrag* columnDrag_;
  QPersistentModelIndex anchor_;
  bool mouseDown_ = false, shiftKey_ = false;
  excel::RowRuns hiddenRows_;
  std::map<int, double> widths_;
  std::map<int, double> heights_;
  std::vector<excel::Area> merges_;
};

}  // namespace office::windows::excel_window
