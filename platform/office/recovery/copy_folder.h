#pragma once
// The recovery copies on disk, in a folder of the user's alone: for each copy its content in its
// application's own file format (ID.copy) and what it is a copy of (ID.json), each written whole or
// not at all. The description is written after the content and removed before it, so a copy is
// there exactly when its description is.

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace office::recovery {

struct CopyInfo {
  std::string progid;  // of its application: "Excel.Application" or "Word.Application"
  std::string name;    // as its application shows it
  std::string path;    // the file it is the copy of; empty when it never had one
  std::string format;  // the file format that 保存 keeps: "own", "xlsx" or "docx"
};

struct LeftCopy {
  std::string id;
  CopyInfo info;
  std::time_t written = 0;
};

class CopyFolder {
 public:
  explicit CopyFolder(std::string folder) : folder_(std::move(folder)) {}

  // Made for the user alone when missing; std::runtime_error when it is not a folder of the user's.
  void Prepare() const;
  // The copies there now. What is not a whole copy (a content without its description, a
  // temporary file of an interrupted write) is removed.
  std::vector<LeftCopy> Collect() const;

  // An identifier that no copy in the folder has.
  std::string NewId();
  std::string ContentPath(const std::string& id) const;
  // writeContent writes the content to the path it is given; then the description follows.
  void Write(const std::string& id, const CopyInfo& info, const std::function<void(const std::string&)>& writeContent) const;
  void Remove(const std::string& id) const;

 private:
  std::string DescriptionPath(const std::string& id) const;

  std::string folder_;
  int issued_ = 0;
};

}  // namespace office::recovery
