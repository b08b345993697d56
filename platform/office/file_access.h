#pragma once
// How the stand-in applications read and write their files: only regular files of a bounded size
// are read, and a file is replaced whole or not at all.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace office {

// Far beyond any workbook or document the system makes; a larger file is refused, not read.
inline constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

class FileAccessError : public std::runtime_error {
 public:
  enum class Kind { NotFound, NotAFile, TooLarge, Unreadable, Unwritable };
  FileAccessError(Kind kind, const std::string& description) : std::runtime_error(description), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// The whole content of a regular file of at most kMaxFileBytes. A FIFO or a device is refused
// without waiting on it or reading from it.
std::string ReadWholeFile(const std::string& path);

// Writes the content to a new file beside the target, flushes it to the disk and renames it over
// the target: the old file stays as it was unless the new one is complete. A file that exists
// keeps its permissions.
void ReplaceFile(const std::string& path, std::string_view content);

// The files are UTF-8 JSON: a text that is not valid UTF-8 cannot be written to them.
bool IsValidUtf8(std::string_view text);

}  // namespace office
