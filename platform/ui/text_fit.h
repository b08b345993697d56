#pragma once
// What a person would find cut off in a form as it is drawn now (after a screenshot): the captions
// of its labels, command buttons and frames, and the texts of its text boxes, that do not fit the
// control's rectangle.

#include <string>
#include <vector>

namespace ui {

class Form;

// One line per cut text: the control's name and its caption; empty when every text is whole.
std::vector<std::string> CutTexts(const Form& form);

}  // namespace ui
