// On an X display (the test runs under Xvfb): hot keys are global grabs, so a combination that
// another client holds cannot be registered, and one this program holds keeps others out.

#include "platform/ui/x11_hot_keys.h"

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/ui/form.h"

namespace ui {
namespace {

class Window : public Form {
 public:
  Window() : Form("gongjulan") {}
};

TEST(X11HotKeysTest, ACombinationHeldByAnotherClientCannotBeRegistered) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  std::unique_ptr<HotKeys> ours = MakeX11HotKeys();
  ASSERT_NE(ours, nullptr);
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(other), 0);
  {
    std::unique_ptr<HotKeys> theirs = MakeX11HotKeys(other);  // another program on the display
    Window& window = Default<Window>();
    EXPECT_TRUE(ours->Register(window, 49146, kModControl, 'B'));
    EXPECT_FALSE(theirs->Register(window, 49146, kModControl, 'B'));
    EXPECT_TRUE(theirs->Register(window, 49146, kModControl, 'I'));
    EXPECT_FALSE(ours->Register(window, 49146, kModControl, 'I'));
    EXPECT_TRUE(ours->Register(window, 49146, kModControl, 'H'));
    Unload(window);
  }
  xcb_disconnect(other);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace ui

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
