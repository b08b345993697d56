#pragma once
// Every call from Qt into a form's handler goes through RunEvent, so that no exception crosses
// Qt's event dispatch. A run-time error that a handler leaves untrapped is reported in a message
// box and ends the program, as the home platform does. While one of its handlers runs, a form's
// instance stays alive even when the handler unloads it.

#include <functional>

namespace ui {

class Form;

void RunEvent(Form& form, const std::function<void()>& handler);
// The program's entry, which belongs to no form.
void RunEvent(const std::function<void()>& handler);

}  // namespace ui
