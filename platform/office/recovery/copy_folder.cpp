#include "platform/office/recovery/copy_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "platform/office/file_access.h"

namespace office::recovery {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr const char* kContent = ".copy";
constexpr const char* kDescription = ".json";

std::optional<CopyInfo> ReadDescription(const std::string& path) {
  try {
    const json j = json::parse(ReadWholeFile(path));
    CopyInfo info{j.at("application").get<std::string>(), j.at("name").get<std::string>(), j.at("path").get<std::string>(),
                  j.at("format").get<std::string>()};
    if (info.name.empty()) return std::nullopt;
    return info;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

void CopyFolder::Prepare() const {
  if (mkdir(folder_.c_str(), 0700) != 0 && errno != EEXIST)
    throw std::runtime_error("cannot create " + folder_ + ": " + std::strerror(errno));
  struct stat st {};
  if (lstat(folder_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 077) != 0)
    throw std::runtime_error(folder_ + " must be a folder of this user with mode 0700");
}

std::vector<LeftCopy> CopyFolder::Collect() const {
  std::vector<LeftCopy> copies;
  std::vector<fs::path> stray;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const fs::path& p = entry.path();
    const std::string id = p.stem().string();
    if (p.filename().string().front() == '.') {
      stray.push_back(p);
    } else if (p.extension() == kContent) {
      if (!fs::exists(DescriptionPath(id))) stray.push_back(p);
    } else if (p.extension() == kDescription) {
      struct stat content {};
      const auto info = ReadDescription(p.string());
      if (!info || stat(ContentPath(id).c_str(), &content) != 0 || !S_ISREG(content.st_mode)) {
        stray.push_back(p);
        continue;
      }
      copies.push_back(LeftCopy{id, *info, content.st_mtime});
    }
  }
  for (const auto& p : stray) fs::remove(p, ec);
  return copies;
}

std::string CopyFolder::NewId() {
  for (;;) {
    const std::string id = std::to_string(getpid()) + "-" + std::to_string(++issued_);
    if (!fs::exists(DescriptionPath(id)) && !fs::exists(ContentPath(id))) return id;
  }
}

std::string CopyFolder::ContentPath(const std::string& id) const { return folder_ + "/" + id + kContent; }
std::string CopyFolder::DescriptionPath(const std::string& id) const { return folder_ + "/" + id + kDescription; }

void CopyFolder::Write(const std::string& id, const CopyInfo& info,
                       const std::function<void(const std::string&)>& writeContent) const {
  writeContent(ContentPath(id));
  const json description{{"application", info.progid}, {"name", info.name}, {"path", info.path}, {"format", info.format}};
  ReplaceFile(DescriptionPath(id), description.dump(1) + '\n');
}

void CopyFolder::Remove(const std::string& id) const {
  unlink(DescriptionPath(id).c_str());
  unlink(ContentPath(id).c_str());
}

}  // namespace office::recovery
