#include "platform/office/windows/excel/column_drag.h"

#include <QEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace office::windows::excel_window {

double ColumnWidthOf(int pixels) {
  if (pixels <= 5) return 0;
  return std::min(255.0, std::round((pixels - 5) / 7.0 * 100) / 100);
}

ColumnDrag::ColumnDrag(QHeaderView* header, Dragged dragged) : QObject(header), header_(header), dragged_(std::move(dragged)) {
  header_->viewport()->installEventFilter(this);
  QObject::connect(header_, &QHeaderView::sectionResized, this, [this](int column, int, int pixels) {
    if (pressed_) resized_[column] = pixels;
  });
  Allow(true);
}

void ColumnDrag::Allow(bool allowed) {
  const auto mode = allowed ? QHeaderView::Interactive : QHeaderView::Fixed;
  if (header_->sectionResizeMode(0) != mode) header_->setSectionResizeMode(mode);
}

bool ColumnDrag::eventFilter(QObject* watched, QEvent* event) {
  // A double click on a border fits the column to its text, as Excel's does: a drag too.
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
    pressed_ = true;
    resized_.clear();
  } else if (event->type() == QEvent::MouseButtonRelease && pressed_) {
    pressed_ = false;
    for (const auto& [column, pixels] : std::exchange(resized_, {})) {
      const int shown = dragged_(column, pixels);
      if (shown > 0 && shown != header_->sectionSize(column)) header_->resizeSection(column, shown);
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace office::windows::excel_window
