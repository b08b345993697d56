#pragma once
// Blocking message loops that a handler runs for a window of its own, while its stop flag is
// clear: wait for the next message without polling, take at most one message of the kind the
// loop serves, then process every other pending event of the program.

#include <functional>

class QWidget;

namespace ui {

class Form;

struct HotKeyMessage {
  int id;
  int modifiers;
  int key;  // virtual-key code
};

// Takes the hot-key messages addressed to the window.
void RunHotKeyLoop(Form& window, const bool& stop, const std::function<void(const HotKeyMessage&)>& onHotKey);

// Takes the wheel messages addressed to the control (or a part of it); each hands over the wheel
// distance, negative toward the user. The control itself never sees them.
void RunWheelLoop(QWidget& control, const bool& stop, const std::function<void(int distance)>& onWheel);

// True while the innermost running loop holds a message it has not taken yet: not idle.
bool MessagesWaiting();

// A registered hot key was pressed. Only a hot-key loop of that window that is the innermost
// loop running takes the message; any other event processing drops it.
void DeliverHotKey(Form& window, const HotKeyMessage& message);

}  // namespace ui
