#pragma once
// The wheel loop of the windows that show case rows in a grid: from the window's activation until
// its unload, each wheel message addressed to the grid moves the current row by one (toward the
// user down, away from the user up, never past the first or last row); every other event is
// processed as usual. The loop blocks while nothing happens.

namespace data {
class Adodc;
class DataGrid;
}  // namespace data

namespace gridwheel {

struct WheelLoop {
  bool stop = false;     // set by the window's unload
  bool running = false;  // one loop per window: a later activation returns at once
};

void ScrollGridByWheel(data::DataGrid& grid, data::Adodc& rows, WheelLoop& loop);

}  // namespace gridwheel
