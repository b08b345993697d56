#include "platform/office/excel/zip_package.h"

#include <zip.h>

#include <memory>

namespace excel {
namespace {

struct ZipErrorText {
  zip_error_t error;
  ZipErrorText() { zip_error_init(&error); }
  ~ZipErrorText() { zip_error_fini(&error); }
  std::string text() { return zip_error_strerror(&error); }
};

}  // namespace

bool LooksLikeZip(std::string_view content) { return content.starts_with(std::string_view("PK\x03\x04", 4)); }

PackageReader::PackageReader(std::string_view content, std::uint64_t maxPartBytes) : maxPartBytes_(maxPartBytes) {
  ZipErrorText e;
  zip_source_t* source = zip_source_buffer_create(content.data(), content.size(), 0, &e.error);
  if (!source) throw PackageError("the package cannot be read: " + e.text());
  archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &e.error);
  if (!archive_) {
    zip_source_free(source);
    throw PackageError("it is not a valid zip package: " + e.text());
  }
}

PackageReader::~PackageReader() { zip_discard(archive_); }

std::optional<std::string> PackageReader::Part(const std::string& name) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(archive_, name.c_str(), 0, &stat) != 0) return std::nullopt;
  if (!(stat.valid & ZIP_STAT_SIZE)) throw PackageError("the part '" + name + "' has no size");
  if (stat.size > maxPartBytes_) throw PackageError("the part '" + name + "' is too large");
  const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen(archive_, name.c_str(), 0), &zip_fclose);
  if (!file) throw PackageError("the part '" + name + "' cannot be read: " + zip_strerror(archive_));
  std::string data(stat.size, '\0');
  std::uint64_t done = 0;
  while (done < stat.size) {
    const zip_int64_t n = zip_fread(file.get(), data.data() + done, stat.size - done);
    if (n <= 0) throw PackageError("the part '" + name + "' is damaged: " + zip_file_strerror(file.get()));
    done += static_cast<std::uint64_t>(n);
  }
  char extra;
  if (zip_fread(file.get(), &extra, 1) != 0) throw PackageError("the part '" + name + "' is damaged");
  return data;
}

std::string WritePackage(const std::map<std::string, std::string>& parts) {
  ZipErrorText e;
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &e.error);
  if (!buffer) throw PackageError(e.text());
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &e.error);
  if (!archive) {
    zip_source_free(buffer);
    throw PackageError(e.text());
  }
  zip_source_keep(buffer);
  const std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, &zip_source_free);
  for (const auto& [name, data] : parts) {
    zip_source_t* part = zip_source_buffer(archive, data.data(), data.size(), 0);
    if (!part || zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8) < 0) {
      if (part) zip_source_free(part);
      const std::string why = zip_strerror(archive);
      zip_discard(archive);
      throw PackageError(why);
    }
  }
  if (zip_close(archive) != 0) {
    const std::string why = zip_strerror(archive);
    zip_discard(archive);
    throw PackageError(why);
  }
  std::string out;
  if (zip_source_open(buffer) != 0) throw PackageError("the package cannot be read back");
  char chunk[65536];
  for (zip_int64_t n; (n = zip_source_read(buffer, chunk, sizeof chunk)) > 0;) out.append(chunk, static_cast<std::size_t>(n));
  zip_source_close(buffer);
  return out;
}

}  // namespace excel
