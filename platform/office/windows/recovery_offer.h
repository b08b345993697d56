#pragma once
// The recovery copies that an earlier host left (it crashed, or was killed, with files changed and
// unsaved), offered once an application of their kind shows its windows: "以下文件已恢复…", each
// copy opened (打开) or discarded (放弃), or all at once. The offer is a window beside the
// application's, not a modal one: programs go on being served while it waits. A copy neither
// opened nor discarded (the offer closed, the application quit) is offered at the next start.
//
// Perform's actions, for the tests' hands from outside, besides the application's own:
//   {"recovered", "打开", NAME}   {"recovered", "放弃", NAME}   {"recovered", "全部打开"}   {"recovered", "全部放弃"}

#include <memory>

#include "platform/office/application.h"
#include "platform/office/windows/application_windows.h"

namespace office::windows {

// The application's windows with the offer beside them where this host keeps recovery copies;
// otherwise (or for an application without copies) the windows as they are.
std::unique_ptr<ApplicationWindows> OfferingRecoveredCopies(std::unique_ptr<ApplicationWindows> windows,
                                                            const std::shared_ptr<Application>& app);

}  // namespace office::windows
