// officehost: the user's running Office applications, served to the programs over a local socket.

#include "platform/office/host/server.h"

namespace {

// The applications this host serves, by programmatic identifier.
void RegisterApplications([[maybe_unused]] office::ApplicationRegistry& registry) {
  // Excel.Application, Word.Application and Access.Application, each with its Create...Application.
}

}  // namespace

int main() {
  office::ApplicationRegistry registry;
  RegisterApplications(registry);
  return office::RunOfficeHost(std::move(registry));
}
