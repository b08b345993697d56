#pragma once
// The window of the case database programs: the whole table Table1 in a grid that edits it in
// place, a toolbar with the commands, and the number of cases in the status bar.

#include <string>

#include "common/gridwheel/grid_wheel.h"
#include "platform/data/adodc.h"
#include "platform/data/data_grid.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/form.h"
#include "platform/ui/toolbar.h"

class Form1 : public ui::Form {
 public:
  Form1();

  data::Adodc Adodc1{*this, "Adodc1"};
  ui::ImageList ImageList2{*this, "ImageList2"};
  ui::Toolbar Toolbar1{*this, "Toolbar1"};
  data::DataGrid DataGrid1{*this, "DataGrid1"};
  ui::StatusBar StatusBar1{*this, "StatusBar1"};

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;
  void Toolbar1_ButtonClick(const ui::ToolbarButton& Button);
  void OpenDatabaseInAccess();
  void Adodc1_Error(std::int32_t Number, const std::string& Description);

 private:
  void ShowCount(const char* pattern);
  void PlaceControls();

  gridwheel::WheelLoop wheel_;
};
