#include "platform/ui/window_finder.h"

namespace ui {

std::unique_ptr<WindowFinder> WindowFinder::MakeDefault() { return std::make_unique<WindowFinder>(); }

bool WindowFinder::Exists(const std::string& windowClass) const {
  return windowClass == "XLMAIN" && excelProbe_ && excelProbe_();
}

}  // namespace ui
