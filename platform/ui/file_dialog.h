#pragma once
// The common open-file dialog. The filter text is "name|*.ext;*.ext2|name|..."; the filter index
// counts from 1. With CancelError set, cancel raises "Cancel was selected."

#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

inline constexpr long kCancelSelected = 32755;
inline constexpr int kHideReadOnly = 4;

class CommonDialog : public Control {
 public:
  CommonDialog(Form& form, std::string name);

  bool CancelError = false;
  int Flags = 0;
  std::string Filter;
  int FilterIndex = 1;
  std::string FileName;  // the chosen file's full path

  void ShowOpen();
};

// "Excel文件|*.xls;*.xlsx" -> {"Excel文件 (*.xls *.xlsx)"}, as Qt writes name filters.
std::vector<std::string> NameFilters(const std::string& filter);

}  // namespace ui
