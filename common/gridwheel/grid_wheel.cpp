#include "common/gridwheel/grid_wheel.h"

#include "platform/automation/error_modes.h"
#include "platform/data/adodc.h"
#include "platform/data/data_grid.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/ui/message_loop.h"

namespace gridwheel {

void ScrollGridByWheel(data::DataGrid& grid, data::Adodc& rows, WheelLoop& loop) {
  if (loop.running) return;
  loop.running = true;
  struct Ended {
    WheelLoop& loop;
    ~Ended() { loop.running = false; }
  } ended{loop};
  ui::RunWheelLoop(grid.hWnd(), loop.stop, [&](int distance) {
    automation::ResumeNext step;
    if (distance < 0) {
      step([&] {
        const runtime::Int16 row = runtime::ToInt16(grid.Row());
        if (row < rows.recordset().RecordCount() - grid.FirstRow()) grid.setRow(row + runtime::Int16(1));
      });
    } else {
      step([&] {
        if (grid.Bookmark() > 1) grid.setBookmark(grid.Bookmark() - 1);
      });
    }
  });
}

}  // namespace gridwheel
