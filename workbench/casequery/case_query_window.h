#pragma once
// The case query window 案例查询: searches the house cases of "db.mdb" and copies the chosen case
// into a comparison column of a table on 市场法计算表.

#include <memory>
#include <string>
#include <vector>

#include "common/gridwheel/grid_wheel.h"
#include "platform/data/adodc.h"
#include "platform/data/data_grid.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/common_controls.h"
#include "platform/ui/form.h"

class 案例查询 : public ui::Form {
 public:
  案例查询();

  data::Adodc Adodc1{*this, "Adodc1"};
  ui::Frame Frame1{*this, "Frame1"};
  ui::Label Label1{*this, "Label1"};
  ui::ComboBox Combo1{*this, "Combo1"};
  ui::Label Label2{*this, "Label2"};
  ui::TextBox Text1{*this, "Text1"};
  ui::CommandButton Command1{*this, "Command1"};
  data::DataGrid DataGrid1{*this, "DataGrid1"};
  ui::Label Label3{*this, "Label3"};
  ui::TextBox Text2{*this, "Text2"};
  ui::UpDown UpDown1{*this, "UpDown1"};
  ui::ComboBox Combo2{*this, "Combo2"};
  ui::CommandButton Command2{*this, "Command2"};

  // The field boxes Text3 to Text31: box k shows the field at position k − 3 of the current case.
  ui::TextBox& Text(int k) const { return *fieldBoxes_[static_cast<std::size_t>(k - 3)]; }

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;
  void Command1_Click();
  void UpDown1_Change();
  void DataGrid1_RowColChange(int LastRow, int LastCol);
  void Command2_Click();

 private:
  void LayOut();
  std::string FieldText(int position) const;

  std::vector<std::unique_ptr<ui::Label>> fieldLabels_;
  std::vector<std::unique_ptr<ui::TextBox>> fieldBoxes_;
  gridwheel::WheelLoop wheel_;
};

// The toolbar's 市场法交易案例查询 button, after its checks: shows the window, modeless.
void Show案例查询();
