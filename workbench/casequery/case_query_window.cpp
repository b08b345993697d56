#include "workbench/casequery/case_query_window.h"

#include <algorithm>

#include "common/casetables/house_case_table.h"
#include "platform/automation/error_modes.h"
#include "platform/ui/message_box.h"
#include "workbench/common/office_attach.h"
#include "workbench/common/program_files.h"
#include "workbench/common/workbook_layout.h"

using automation::Object;
using automation::ResumeNext;

namespace {

constexpr const char* kLoadCommand =
    "select   序号,建筑物名称,  交易价格,  地址,  所在区县,交易情况,交易时间,交易状况,付款方式,土地使用年限,房产用途,"
    "土地级别,产业规模,设施完善程度,交通便捷程度,市场配合,自然条件状况,环境质量,城市规划限制,临街状况地势,新旧程度,面积,"
    "装修情况,设施设备,平面布置,工程质量,建筑结构,楼层,朝向 from Table1";

// The typed text matches itself only: a quote is written twice, the pattern characters in brackets.
std::string Literal(const std::string& typed) {
  std::string out;
  for (const char c : typed) {
    switch (c) {
      case '\'': out += "''"; break;
      case '%': out += "[%]"; break;
      case '_': out += "[_]"; break;
      case '[': out += "[[]"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

案例查询::案例查询() : Form("案例查询") {
  setCaption("案例查询");
  setBorderStyle(ui::BorderStyle::FixedSingle);
  for (int k = 3; k <= 31; ++k) {
    fieldLabels_.push_back(std::make_unique<ui::Label>(*this, "Label" + std::to_string(k + 1)));
    fieldBoxes_.push_back(std::make_unique<ui::TextBox>(*this, "Text" + std::to_string(k)));
    fieldLabels_.back()->setCaption(std::string(casetables::kHouseColumns[static_cast<std::size_t>(k - 3)].name));
  }
  Frame1.setCaption("查询");
  Label1.setCaption("选择：");
  for (const auto& column : casetables::kHouseColumns) Combo1.AddItem(std::string(column.searchLabel));
  Combo1.setText("建筑物名称");
  Combo1.setToolTipText("从列表中选择一个查询条件");
  Label2.setCaption("输入：");
  Text1.setText("建筑物名称");
  Text1.setToolTipText("手动录入一个查询名称，然后单击“查询”按钮进行查询");
  Command1.setCaption("查询(&Y)");
  DataGrid1.setAllowUpdate(false);  // the query never changes the case database
  Label3.setCaption("选择计算表：");
  Text2.setText("1");
  UpDown1.setValue(0);
  UpDown1.setMin(0);
  UpDown1.setMax(10);
  UpDown1.setIncrement(1);
  for (const char* item : {"交易案例1", "交易案例2", "交易案例3"}) Combo2.AddItem(item);
  Combo2.setText("请在下拉框内选择一个交易案例");
  Combo2.setToolTipText("请在下拉框内选择一个交易案例位置");
  Command2.setCaption("插入(&O)");
  LayOut();

  Command1.Click = [this] { Command1_Click(); };
  UpDown1.Change = [this] { UpDown1_Change(); };
  DataGrid1.RowColChange = [this](int lastRow, int lastCol) { DataGrid1_RowColChange(lastRow, lastCol); };
  Command2.Click = [this] { Command2_Click(); };
}

// The search row on top, the grid, the field boxes under their column names, and the table
// number, the comparison column and 插入 at the bottom.
void 案例查询::LayOut() {
  constexpr int kWidth = 14400, kMargin = 120;
  Move(1200, 900, kWidth, 9300);
  Frame1.Move(kMargin, 60, kWidth - 2 * kMargin, 780);
  Label1.Move(360, 390, 720, 300);
  Combo1.Move(1080, 345, 3300, 360);
  Label2.Move(4680, 390, 720, 300);
  Text1.Move(5400, 345, 5700, 360);
  Command1.Move(11520, 315, 2400, 420);
  DataGrid1.Move(kMargin, 960, kWidth - 2 * kMargin, 3900);

  constexpr int kColumns = 4, kTop = 5040, kRowHeight = 420, kLabelWidth = 1500;
  constexpr int kCellWidth = (kWidth - 2 * kMargin) / kColumns;
  for (std::size_t i = 0; i < fieldBoxes_.size(); ++i) {
    const int left = kMargin + static_cast<int>(i % kColumns) * kCellWidth;
    const int top = kTop + static_cast<int>(i / kColumns) * kRowHeight;
    fieldLabels_[i]->Move(left, top + 45, kLabelWidth, 300);
    fieldBoxes_[i]->Move(left + kLabelWidth, top, kCellWidth - kLabelWidth - 120, 345);
  }

  constexpr int kBottom = kTop + 8 * kRowHeight + 180;
  Label3.Move(kMargin, kBottom + 45, 1500, 300);
  Text2.Move(kMargin + 1500, kBottom, 900, 345);
  UpDown1.Move(kMargin + 2400, kBottom, 270, 345);
  Combo2.Move(7800, kBottom, 3900, 360);
  Command2.Move(11880, kBottom - 30, 2400, 420);
}

void 案例查询::Form_Load() {
  Adodc1.setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + workbench::ProgramFilePath("db.mdb") +
                             ";Persist Security Info=False");
  Adodc1.setCommandType(data::CommandType::Text);
  Adodc1.setRecordSource(kLoadCommand);
  try {
    Adodc1.Refresh();
  } catch (const automation::Error&) {
    ui::MsgBox("无法打开交易案例数据库db.mdb，请检查程序文件夹！", ui::kOkOnly | ui::kInformation, "提示");
    ui::Unload(*this);
    return;
  }
  DataGrid1.setDataSource(Adodc1);
}

void 案例查询::Form_Activate() { gridwheel::ScrollGridByWheel(DataGrid1, Adodc1, wheel_); }

void 案例查询::Form_Unload(int&) { wheel_.stop = true; }

void 案例查询::Command1_Click() {
  ResumeNext step;
  Object xlApp;
  step([&] { xlApp = workbench::AttachExcel(); });
  if (step.test([&] { return xlApp.obj("ActiveSheet").get("Name").toText() != workbench::k市场法计算表; })) {
    ui::Unload(*this);
    ui::MsgBox("当前表不能使用查询功能，本功能只在“市场法计算表”表格中才能生效！", ui::kOkOnly | ui::kInformation, "提示");
    return;
  }
  const std::string label = Combo1.Text();
  const auto* chosen = std::find_if(casetables::kHouseColumns.begin(), casetables::kHouseColumns.end(),
                                    [&](const auto& column) { return column.searchLabel == label; });
  if (chosen == casetables::kHouseColumns.end()) {
    ui::MsgBox("请在“选择”下拉框内选择拟查询的条件！", ui::kOkOnly | ui::kExclamation, "提示");
    return;
  }
  step([&] {
    Adodc1.setRecordSource("select * from Table1 where " + std::string(chosen->name) + " like '" + Literal(Text1.Text()) +
                           "'+'%'");
  });
  step([&] { Adodc1.Refresh(); });
  step([&] { DataGrid1.setDataSource(Adodc1); });
}

void 案例查询::UpDown1_Change() {
  ResumeNext step;
  Object xlApp;
  step([&] { xlApp = workbench::AttachExcel(); });
  step([&] {
    const Object sheet = xlApp.obj("ActiveWorkbook").obj("Worksheets", workbench::k市场法计算表);
    UpDown1.setMax(sheet.obj("Range", "D1").get("Value").toInt16());
  });
  step([&] { UpDown1.setMin(1); });
  step([&] { Text2.setText(std::to_string(UpDown1.Value())); });
}

void Show案例查询() { ui::Default<案例查询>().Show(); }
