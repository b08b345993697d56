#pragma once
// The workbooks and documents of the running applications as the recovery copies see them: whether
// they are still open and saved, what they are, and their content written as a copy when it
// changed since the last one.

#include <memory>
#include <string>
#include <vector>

#include "platform/office/application.h"
#include "platform/office/recovery/copy_folder.h"

namespace office::recovery {

class KeptFile {
 public:
  virtual ~KeptFile() = default;
  // The workbook's or document's model: which one it is.
  virtual const void* Model() const = 0;
  // Neither closed nor gone with its application.
  virtual bool Open() const = 0;
  virtual bool Saved() const = 0;
  virtual CopyInfo Info() const = 0;
  // Whether the content differs from what the last copy held (or there is none yet).
  virtual bool Changed() = 0;
  // The content written to the file, in the application's own format, as the last copy.
  virtual void WriteCopy(const std::string& file) = 0;
};

// "Excel.Application", "Word.Application", or empty for an application without recovery copies.
std::string ProgidOf(const Application& app);

// Every workbook or document open in the application.
std::vector<std::unique_ptr<KeptFile>> OpenFiles(const std::shared_ptr<Application>& app);

// The copy's content opened in the application as the file it is a copy of (its name, its file and
// format), unsaved and active, with that content as its last copy. A file never saved whose name is
// taken gets "（已恢复）" after it; std::runtime_error when the name of a saved one is taken, an
// automation error when the content cannot be read.
std::unique_ptr<KeptFile> OpenCopy(const std::shared_ptr<Application>& app, const std::string& content, const CopyInfo& info);

}  // namespace office::recovery
