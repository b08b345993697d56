#pragma once
// Column widths dragged at the border of their header, or fitted to their text by a double click
// there, as in Excel: told once the mouse lets go, so that one drag is one change of the sheet.

#include <QHeaderView>
#include <QObject>

#include <functional>
#include <map>

namespace office::windows::excel_window {

// Excel's width in characters for a column of that many pixels (the inverse of ColumnPixels),
// at most 255; a column of 5 pixels or less is hidden (0).
double ColumnWidthOf(int pixels);

class ColumnDrag : public QObject {
 public:
  // Told the column (from 0) and the pixels the user dragged it to; answers the pixels it has.
  using Dragged = std::function<int(int column, int pixels)>;
  ColumnDrag(QHeaderView* header, Dragged dragged);

  // A header whose borders cannot be dragged, as on a protected sheet.
  void Allow(bool allowed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QHeaderView* header_;
  Dragged dragged_;
  bool pressed_ = false;
  std::map<int, int> resized_;  // pixels by column, while the mouse is down
};

}  // namespace office::windows::excel_window
