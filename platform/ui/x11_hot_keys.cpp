#include "platform/ui/x11_hot_keys.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

namespace ui {

namespace {

// Caps Lock and Num Lock must not keep a combination from matching.
constexpr std::uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

std::uint16_t ModifierMask(int modifiers) {
  return static_cast<std::uint16_t>((modifiers & kModControl ? XCB_MOD_MASK_CONTROL : 0) |
                                    (modifiers & kModAlt ? XCB_MOD_MASK_1 : 0) |
                                    (modifiers & kModShift ? XCB_MOD_MASK_SHIFT : 0));
}

int ModifiersOf(std::uint16_t state) {
  return (state & XCB_MOD_MASK_CONTROL ? kModControl : 0) | (state & XCB_MOD_MASK_1 ? kModAlt : 0) |
         (state & XCB_MOD_MASK_SHIFT ? kModShift : 0);
}

// Letters and digits: the key's unshifted keysym is its lower-case character.
std::uint32_t KeySym(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<std::uint32_t>(virtualKey - 'A' + 'a');
  return static_cast<std::uint32_t>(virtualKey);
}

class X11HotKeys : public HotKeys, public QAbstractNativeEventFilter {
 public:
  X11HotKeys(xcb_connection_t* connection, xcb_window_t root) : connection_(connection), root_(root) {
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~X11HotKeys() override {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    for (const Grab& g : grabs_)
      if (g.keycode == press->detail && g.modifiers == ModifiersOf(press->state)) return Press(g.modifiers, g.key);
    return false;
  }

 protected:
  bool Acquire(int modifiers, int virtualKey) override {
    const xcb_keycode_t keycode = KeyCode(KeySym(virtualKey));
    if (keycode == 0) return false;
    const std::uint16_t mask = ModifierMask(modifiers);
    std::vector<std::uint16_t> taken;
    for (std::uint16_t lock : kLockVariants) {
      const xcb_void_cookie_t cookie = xcb_grab_key_checked(connection_, 1, root_, mask | lock, keycode,
                                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
      if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
        std::free(error);  // another client holds it
        for (std::uint16_t t : taken) xcb_ungrab_key(connection_, keycode, root_, mask | t);
        xcb_flush(connection_);
        return false;
      }
      taken.push_back(lock);
    }
    grabs_.push_back({keycode, modifiers, virtualKey});
    return true;
  }

 private:
  struct Grab {
    xcb_keycode_t keycode;
    int modifiers, key;
  };

  xcb_keycode_t KeyCode(std::uint32_t keysym) const {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    if (mapping == nullptr) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    const int perCode = mapping->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int i = 0; i < count && found == 0; ++i)
      if (syms[i * perCode] == keysym) found = static_cast<xcb_keycode_t>(setup->min_keycode + i);
    std::free(mapping);
    return found;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_;
  std::vector<Grab> grabs_;
};

}  // namespace

std::unique_ptr<HotKeys> MakeX11HotKeys() {
  auto* x11 = qGuiApp == nullptr ? nullptr : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return nullptr;
  return MakeX11HotKeys(x11->connection());
}

std::unique_ptr<HotKeys> MakeX11HotKeys(xcb_connection_t* connection) {
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  return std::make_unique<X11HotKeys>(connection, screen->root);
}

}  // namespace ui
