#pragma once
// The desktop's part: opening a file or web address with its default handler, and starting a
// program by path, with no arguments, without waiting (and without the scripted run's script).
// Failures are silent: false.

#include <memory>
#include <string>

namespace ui {

class Desktop {
 public:
  virtual ~Desktop() = default;
  static std::unique_ptr<Desktop> MakeDefault();
  virtual bool Open(const std::string& fileOrAddress);
  virtual bool Start(const std::string& path);
};

}  // namespace ui
