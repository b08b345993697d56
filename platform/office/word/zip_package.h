#pragma once
// An Office Open XML package held in memory: its parts by name, read from and written to the
// bytes of a zip file through libzip.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace office::word {

// The package cannot be read: a broken zip, or a part too large to be one of a document's.
class PackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using PackageParts = std::map<std::string, std::string>;

// Zip files begin with a local file header.
bool LooksLikeZip(std::string_view bytes);

// Every part, each at most maxPartBytes uncompressed (a part's declared size is not trusted).
PackageParts ReadPackage(std::string_view bytes, std::uint64_t maxPartBytes);
std::string WritePackage(const PackageParts& parts);

}  // namespace office::word
