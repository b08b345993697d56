#include "platform/ui/screenshot.h"

#include <QPixmap>
#include <QWidget>

#include "platform/ui/form.h"

namespace ui {

bool SaveScreenshot(const Form& form, const std::string& pngPath) {
  return form.window().grab().save(QString::fromStdString(pngPath), "PNG");
}

}  // namespace ui
