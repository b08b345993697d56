#pragma once
// The stand-in Access's window: the table it shows from its current database, maximised when
// asked, editable in place as a table window is.

#include <memory>

#include "platform/office/access/access_application.h"
#include "platform/office/windows/application_windows.h"

namespace office::windows {

std::unique_ptr<ApplicationWindows> MakeAccessWindows(std::shared_ptr<access::AccessApplication> app, UserActed acted);

}  // namespace office::windows
