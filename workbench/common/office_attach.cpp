#include "workbench/common/office_attach.h"

#include "platform/office/host/client.h"

namespace workbench {
namespace {
constexpr const char* kExcel = "Excel.Application";
constexpr const char* kWord = "Word.Application";
}  // namespace

bool ExcelMainWindowExists() { return office::IsApplicationRunning(kExcel); }

automation::Object AttachOrCreateExcel() {
  return ExcelMainWindowExists() ? office::GetRunningObject(kExcel) : office::CreateObject(kExcel);
}

automation::Object AttachExcel() { return office::GetRunningObject(kExcel); }

automation::Object AttachWord() { return office::GetRunningObject(kWord); }

}  // namespace workbench
