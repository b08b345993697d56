#pragma once
// The office host: serves the registered applications to the user's programs over the local
// socket, one call at a time in arrival order, until no application runs and no client is left.

#include "platform/office/host/running_objects.h"

namespace office {

// The host's whole run; the exit status of the officehost process. A second host started while
// one serves the same socket ends with 0, so that racing creators share one host.
int RunOfficeHost(ApplicationRegistry registry);

}  // namespace office
