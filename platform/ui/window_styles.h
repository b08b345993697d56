#pragma once
// Window styles a program asks for at run time: the topmost band for one window, and the
// colour-keyed layered window whose black pixels become transparent and let clicks through.
// Screen metrics in twips.

#include <memory>

namespace ui {

class Form;

class WindowStyles {
 public:
  virtual ~WindowStyles() = default;
  static std::unique_ptr<WindowStyles> MakeDefault();
  // Above every window that is not topmost, without moving or resizing it.
  virtual void SetTopmost(Form& window);
  // Black becomes fully transparent, and the window lets every click through.
  virtual void SetBlackTransparent(Form& window);
};

int ScreenWidth();
int ScreenHeight();

}  // namespace ui
