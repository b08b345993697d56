#include "platform/office/zip_package.h"

#include <zip.h>

#include <memory>

namespace office {
namespace {

struct ZipCloser {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct FileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct SourceFreer {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;
using SourcePtr = std::unique_ptr<zip_source_t, SourceFreer>;

[[noreturn]] void Fail(zip_error_t& error, const std::string& doing) {
  const std::string what = doing + ": " + zip_error_strerror(&error);
  zip_error_fini(&error);
  throw PackageError(what);
}

// Opens the zip over the source; the zip owns the source from then on.
ZipPtr OpenZip(SourcePtr& source, int flags, const std::string& doing) {
  zip_error_t error;
  zip_error_init(&error);
  zip_t* zip = zip_open_from_source(source.get(), flags, &error);
  if (!zip) Fail(error, doing);
  source.release();
  return ZipPtr(zip);
}

SourcePtr Buffer(const void* data, std::size_t size, const std::string& doing) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
  if (!source) Fail(error, doing);
  return SourcePtr(source);
}

}  // namespace

bool LooksLikeZip(std::string_view bytes) { return bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4); }

PackageReader::PackageReader(std::string_view bytes, std::uint64_t maxPartBytes) : maxPartBytes_(maxPartBytes) {
  SourcePtr source = Buffer(bytes.data(), bytes.size(), "not a zip package");
  archive_ = OpenZip(source, ZIP_RDONLY | ZIP_CHECKCONS, "not a zip package").release();
}

PackageReader::~PackageReader() { zip_discard(archive_); }

std::optional<std::string> PackageReader::Part(const std::string& name) {
  const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
  if (index < 0) return std::nullopt;
  const std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0));
  if (!file) throw PackageError("the part " + name + " cannot be read: " + zip_strerror(archive_));
  std::string content;
  char chunk[65536];
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
    if (got < 0) throw PackageError("the part " + name + " is damaged: " + zip_file_strerror(file.get()));
    if (got == 0) break;
    if (content.size() + static_cast<std::uint64_t>(got) > maxPartBytes_)
      throw PackageError("the part " + name + " is larger than any part of such a file");
    content.append(chunk, static_cast<std::size_t>(got));
  }
  return content;
}

std::string WritePackage(const PackageParts& parts) {
  SourcePtr source = Buffer(nullptr, 0, "the package cannot be made");
  zip_source_keep(source.get());  // the written bytes stay in it after the zip is closed
  const SourcePtr result(source.get());
  ZipPtr zip = OpenZip(source, ZIP_TRUNCATE, "the package cannot be made");
  for (const auto& [name, content] : parts) {
    zip_source_t* part = zip_source_buffer(zip.get(), content.data(), content.size(), 0);
    if (!part || zip_file_add(zip.get(), name.c_str(), part, ZIP_FL_ENC_UTF_8) < 0) {
      if (part) zip_source_free(part);
      throw PackageError("the part " + name + " cannot be added: " + zip_strerror(zip.get()));
    }
  }
  if (zip_close(zip.get()) < 0) throw PackageError(std::string("the package cannot be written: ") + zip_strerror(zip.get()));
  zip.release();  // zip_close freed it

  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(result.get(), &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(result.get()) < 0)
    throw PackageError("the written package cannot be read back");
  std::string bytes(static_cast<std::size_t>(stat.size), '\0');
  const zip_int64_t got = zip_source_read(result.get(), bytes.data(), bytes.size());
  zip_source_close(result.get());
  if (got != static_cast<zip_int64_t>(bytes.size())) throw PackageError("the written package cannot be read back");
  return bytes;
}

}  // namespace office
