#pragma once
// A form's window, as it is drawn now, to a PNG file; false when the file cannot be written.

#include <string>

namespace ui {

class Form;

bool SaveScreenshot(const Form& form, const std::string& pngPath);

}  // namespace ui
