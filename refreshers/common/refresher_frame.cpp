#include "refreshers/common/refresher_frame.h"

#include <QColor>

#include "platform/ui/message_box.h"
#include "platform/ui/services.h"
#include "platform/ui/window_styles.h"
#include "workbench/common/office_attach.h"

namespace refreshers {

Office AttachRunningOffice() { return Office{workbench::AttachExcel(), workbench::AttachWord()}; }

void ShowInformation(const char* text, const char* title) {
  if (title) ui::MsgBox(text, ui::kOkOnly | ui::kInformation, std::string(title));
  else ui::MsgBox(text, ui::kOkOnly | ui::kInformation);
}

void ShowRefreshCompleted() { ShowInformation(kRefreshCompleted, "提示"); }

void MakeTopmost(ui::Form& window) { ui::Use<ui::WindowStyles>().SetTopmost(window); }

void DoTheStuff(ui::Form& window) { ui::Use<ui::WindowStyles>().SetBlackTransparent(window); }

void LayOutWaitWindow(ui::Form& window, ui::Control& label) {
  constexpr int kWidth = 7200, kHeight = 720;  // twips
  window.setBorderStyle(ui::BorderStyle::None);
  window.setBackColor(Qt::black);  // the colour of button text in the standard scheme
  window.Move((ui::ScreenWidth() - kWidth) / 2, (ui::ScreenHeight() - kHeight) / 2, kWidth, kHeight);
  label.Move(0, 120, kWidth, kHeight - 240);
  label.setForeColor(QColor(0, 0, 255));
}

}  // namespace refreshers
