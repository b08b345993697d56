#include "platform/office/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

namespace office {
namespace {

using Kind = FileAccessError::Kind;

std::string Reason() { return std::strerror(errno); }

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  // Non-blocking, so that opening a FIFO with no writer does not wait for one.
  Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) throw FileAccessError(Kind::NotFound, path + " does not exist");
    throw FileAccessError(Kind::Unreadable, path + " cannot be read: " + Reason());
  }
  struct stat st {};
  if (fstat(fd.get(), &st) != 0) throw FileAccessError(Kind::Unreadable, path + " cannot be read: " + Reason());
  if (!S_ISREG(st.st_mode)) throw FileAccessError(Kind::NotAFile, path + " is not a file");
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxFileBytes)
    throw FileAccessError(Kind::TooLarge, path + " is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB");
  std::string content;
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  for (;;) {
    if (got == content.size()) content.resize(got + 4096);  // a file that grew meanwhile
    const ssize_t n = read(fd.get(), content.data() + got, content.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FileAccessError(Kind::Unreadable, path + " cannot be read: " + Reason());
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
    if (got > kMaxFileBytes)
      throw FileAccessError(Kind::TooLarge, path + " is larger than " + std::to_string(kMaxFileBytes >> 20) + " MB");
  }
  content.resize(got);
  return content;
}

void ReplaceFile(const std::string& path, std::string_view content) {
  const std::filesystem::path target(path);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  Descriptor fd(mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.get() < 0) throw FileAccessError(Kind::Unwritable, path + " cannot be written: " + Reason());
  struct stat existing {};
  const mode_t mode = stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~CurrentUmask();
  bool done = fchmod(fd.get(), mode) == 0;
  for (std::size_t at = 0; done && at < content.size();) {
    const ssize_t n = write(fd.get(), content.data() + at, content.size() - at);
    if (n < 0 && errno == EINTR) continue;
    done = n > 0;
    if (done) at += static_cast<std::size_t>(n);
  }
  done = done && fsync(fd.get()) == 0;
  done = close(fd.release()) == 0 && done;
  done = done && rename(temporary.c_str(), path.c_str()) == 0;
  if (!done) {
    const std::string reason = Reason();
    unlink(temporary.c_str());
    throw FileAccessError(Kind::Unwritable, path + " cannot be written: " + reason);
  }
  // The rename itself reaches the disk with the folder.
  if (const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t follow = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the byte after the lead
    if (lead < 0x80) follow = 0;
    else if (lead >= 0xC2 && lead <= 0xDF) follow = 1;
    else if (lead >= 0xE0 && lead <= 0xEF) follow = 2, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (lead >= 0xF0 && lead <= 0xF4) follow = 3, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else return false;
    if (text.size() - i <= follow) return false;  // cut short
    for (std::size_t k = 1; k <= follow; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      if (k == 1 ? byte < low || byte > high : (byte & 0xC0) != 0x80) return false;
    }
    i += follow + 1;
  }
  return true;
}

}  // namespace office
