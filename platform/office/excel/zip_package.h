#pragma once
// A zip package held in memory, as Office Open XML files are: its parts by name.

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct zip;

namespace excel {

class PackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether the content starts as a zip archive does.
bool LooksLikeZip(std::string_view content);

// The parts of a package; a part larger than `maxPartBytes` once inflated is refused.
class PackageReader {
 public:
  PackageReader(std::string_view content, std::uint64_t maxPartBytes);
  ~PackageReader();
  PackageReader(const PackageReader&) = delete;
  PackageReader& operator=(const PackageReader&) = delete;

  // The part's inflated content; nullopt when the package has no such part.
  std::optional<std::string> Part(const std::string& name);

 private:
  ::zip* archive_ = nullptr;
  std::uint64_t maxPartBytes_;
};

// The package made of the parts, deflated.
std::string WritePackage(const std::map<std::string, std::string>& parts);

}  // namespace excel
