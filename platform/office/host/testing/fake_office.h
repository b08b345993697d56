#pragma once
// Small stand-ins for Excel and Word, enough to exercise the host, officectl and the attach
// routines: workbooks of sheets of cells, documents of tables, a find that replaces.

#include <memory>

#include "platform/office/application.h"
#include "platform/office/host/running_objects.h"

namespace office::testing {

std::shared_ptr<Application> MakeFakeExcel();
std::shared_ptr<Application> MakeFakeWord();

// "Excel.Application" and "Word.Application".
ApplicationRegistry FakeRegistry();

}  // namespace office::testing
