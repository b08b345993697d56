// An officehost serving the fake applications, for the cross-process tests.

#include "platform/office/host/server.h"
#include "platform/office/host/testing/fake_office.h"

int main() { return office::RunOfficeHost(office::testing::FakeRegistry()); }
