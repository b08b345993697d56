#include "platform/ui/event.h"

#include <exception>
#include <string>

#include "platform/automation/error.h"
#include "platform/ui/form.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"

namespace ui {

void RunEvent(const std::function<void()>& handler) {
  std::string report;
  try {
    handler();
    return;
  } catch (const automation::Error& e) {
    report = "Run-time error '" + std::to_string(e.number()) + "':\n\n" + e.description();
  } catch (const std::exception& e) {
    report = e.what();
  }
  MsgBox(report, kCritical);
  EndProcess();
}

void RunEvent(Form& form, const std::function<void()>& handler) {
  const FormInUse inUse(form);
  RunEvent(handler);
}

}  // namespace ui
