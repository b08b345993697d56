// officehost: the user's running Office applications, served to the programs over a local socket,
// with their windows when there is a display to show them on.

#include <QApplication>

#include <optional>

#include "platform/office/access/access_application.h"
#include "platform/office/excel/application.h"
#include "platform/office/host/server.h"
#include "platform/office/recovery/keeper.h"
#include "platform/office/windows/host_loop.h"
#include "platform/office/word/word_application.h"
#include "platform/ui/locale.h"

namespace {

// The applications this host serves, by programmatic identifier.
office::ApplicationRegistry Applications() {
  office::ApplicationRegistry registry;
  registry.Register("Excel.Application", excel::CreateExcelApplication);
  registry.Register("Word.Application", office::word::CreateWordApplication);
  registry.Register("Access.Application", office::access::CreateAccessApplication);
  return registry;
}

}  // namespace

int main(int argc, char** argv) {
  office::recovery::Keeper keeper(office::recovery::FolderBesideSocket(), office::recovery::Period());
  if (!office::windows::HostHasDisplay())
    return office::RunOfficeHost(Applications(), office::recovery::Keeping(keeper, office::WaitWithPoll));
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ui::UseChineseLocale();
  return office::RunOfficeHost(Applications(), office::recovery::Keeping(keeper, office::windows::WaitWithWindows));
}
