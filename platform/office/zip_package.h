#pragma once
// An Office Open XML package held in memory: its parts by name, read from and written to the
// bytes of a zip file through libzip.

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct zip;

namespace office {

// The package cannot be read or made: a broken zip, or a part too large to be one of a file's.
class PackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using PackageParts = std::map<std::string, std::string>;

// Zip files begin with a local file header.
bool LooksLikeZip(std::string_view bytes);

// The parts of a package, inflated as they are asked for.
class PackageReader {
 public:
  // Each part at most maxPartBytes once inflated; a part's declared size is not trusted.
  PackageReader(std::string_view bytes, std::uint64_t maxPartBytes);
  ~PackageReader();
  PackageReader(const PackageReader&) = delete;
  PackageReader& operator=(const PackageReader&) = delete;

  // Nothing when the package has no such part.
  std::optional<std::string> Part(const std::string& name);

 private:
  ::zip* archive_ = nullptr;
  std::uint64_t maxPartBytes_;
};

std::string WritePackage(const PackageParts& parts);

}  // namespace office
