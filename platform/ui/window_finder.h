#pragma once
// Whether a top-level window of a window class is there (visible or hidden, any title). The
// answer for Excel's main window ("XLMAIN") comes from a probe the program installs at start;
// without one, and for any other class, nothing is found.

#include <functional>
#include <memory>
#include <string>

namespace ui {

class WindowFinder {
 public:
  virtual ~WindowFinder() = default;
  static std::unique_ptr<WindowFinder> MakeDefault();
  virtual bool Exists(const std::string& windowClass) const;
  void SetExcelProbe(std::function<bool()> probe) { excelProbe_ = std::move(probe); }

 private:
  std::function<bool()> excelProbe_;
};

}  // namespace ui
