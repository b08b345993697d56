#pragma once
// System-wide hot keys registered on a window with an identifier, a modifier and a key. On an X
// display a global grab keeps the combination from every other program; elsewhere a per-session
// registry of lock files does, so that a second instance's registration fails. A held
// combination fails to register; the keys go back when the process ends.

#include <memory>
#include <string>
#include <vector>

class QObject;

namespace ui {

class Form;

// Modifiers and keys as the registrations give them.
inline constexpr int kModAlt = 1, kModControl = 2, kModShift = 4;

class HotKeys {
 public:
  virtual ~HotKeys() = default;
  static std::unique_ptr<HotKeys> MakeDefault();

  bool Register(Form& window, int id, int modifiers, int virtualKey);
  // The combination was pressed: its message goes to the window that registered it. False when
  // this program holds no such hot key.
  bool Press(int modifiers, int virtualKey);

 protected:
  // Takes the combination for this process; false when someone holds it.
  virtual bool Acquire(int modifiers, int virtualKey) = 0;

 private:
  struct Registration {
    Form* window;
    int id, modifiers, key;
  };
  std::vector<Registration> registered_;
};

// The registry of lock files in a folder shared by the user's session.
class SessionHotKeys : public HotKeys {
 public:
  explicit SessionHotKeys(std::string folder);
  ~SessionHotKeys() override;

 protected:
  bool Acquire(int modifiers, int virtualKey) override;

 private:
  std::string folder_;
  std::vector<int> locks_;
  std::unique_ptr<QObject> ownWindowKeys_;
};

// "CTRL+B" -> modifiers and virtual key; false for a text that names no combination.
bool ParseHotKey(const std::string& text, int& modifiers, int& virtualKey);

}  // namespace ui
