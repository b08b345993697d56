// officehost: the user's running Office applications, served to the programs over a local socket.

#include "platform/office/access/access_application.h"
#include "platform/office/excel/application.h"
#include "platform/office/host/server.h"
#include "platform/office/word/word_application.h"

namespace {

// The applications this host serves, by programmatic identifier.
void RegisterApplications(office::ApplicationRegistry& registry) {
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  registry.Register("Word.Application", office::word::CreateWordApplication);
  registry.Register("Access.Application", office::access::CreateAccessApplication);
}

}  // namespace

int main() {
  office::ApplicationRegistry registry;
  RegisterApplications(registry);
  return office::RunOfficeHost(std::move(registry));
}
