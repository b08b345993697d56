#pragma once
// What a person would find cut off in a form as it is drawn now (after a screenshot): the captions
// of its labels, command buttons and frames, and the texts of its text boxes, that do not fit the
// control's rectangle.

#include <string>
#include <vector>

class QWidget;

namespace ui {

class Form;

// One line per cut text: the control's name and its caption; empty when every text is whole.
std::vector<std::string> CutTexts(const Form& form);
// The same for a window that is not a form (the office host's): its widgets by object name.
std::vector<std::string> CutTexts(const QWidget& window);

}  // namespace ui
