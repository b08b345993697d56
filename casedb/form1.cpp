#include "casedb/form1.h"

#include <array>

#include <QPixmap>

#include "casedb/case_database_settings.h"
#include "platform/automation/error_modes.h"
#include "platform/runtime/integer_conversion.h"
#include "platform/runtime/number_format.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"
#include "platform/ui/window_styles.h"

namespace {

struct Button {
  const char* caption;
  const char* key;
  const char* toolTip;
};

constexpr std::array<Button, 8> kButtons = {{
    {"追加", "add", " 追加数据 "},
    {"修改", "xg", "修改数据"},
    {"保存", "save", "保存数据"},
    {"刷新", "shuaxin", "刷新数据"},
    {"删除", "del", "删除数据"},
    {"打开", "refresh", "打开ACCESS原始数据库，进行批量添加或删除数据。"},
    {"帮助", "help", "帮助"},
    {"关闭", "close", "关闭"},
}};

constexpr int kToolbarHeight = 900, kStatusBarHeight = 360;

}  // namespace

Form1::Form1() : Form("Form1") {
  const casedb::CaseDatabaseSettings& settings = casedb::ThisProgram();
  setCaption(std::string(settings.caption));

  Adodc1.setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + std::string(settings.file) +
                             ";Persist Security Info=False");
  Adodc1.setCommandType(data::CommandType::Table);
  Adodc1.setRecordSource("Table1");

  for (const Button& button : kButtons) ImageList2.Add(button.key, QPixmap(QString(":/icons/casedb_") + button.key + ".svg"));
  Toolbar1.setImageList(ImageList2);
  for (const Button& button : kButtons) Toolbar1.AddButton({button.key, button.caption, button.toolTip, button.key});

  std::vector<data::GridColumn> columns;
  for (std::string_view column : settings.columns) columns.push_back({std::string(column), "  " + std::string(column)});
  DataGrid1.setColumns(std::move(columns));
  DataGrid1.setAllowUpdate(true);
  PlaceControls();

  Toolbar1.ButtonClick = [this](const ui::ToolbarButton& button) { Toolbar1_ButtonClick(button); };
  Adodc1.Error = [this](std::int32_t number, const std::string& description) { Adodc1_Error(number, description); };
}

// The window fills the screen: the toolbar on top, the grid (sized by the load), the status bar at
// the bottom.
void Form1::PlaceControls() {
  Move(0, 0, ui::ScreenWidth(), ui::ScreenHeight());
  Toolbar1.Move(0, 0, ui::ScreenWidth(), kToolbarHeight);
  StatusBar1.Move(0, ui::ScreenHeight() - kStatusBarHeight, ui::ScreenWidth(), kStatusBarHeight);
}

void Form1::Form_Load() {
  const casedb::CaseDatabaseSettings& settings = casedb::ThisProgram();
  try {
    Adodc1.Refresh();
  } catch (const automation::Error&) {
    if (!settings.ignoreLoadErrors) {
      ui::MsgBox("无法打开交易案例数据库" + std::string(settings.file) + "！", ui::kOkOnly);
      ui::Unload(*this);
      return;
    }
  }
  DataGrid1.setDataSource(Adodc1);
  DataGrid1.Move(0, kToolbarHeight, ui::ScreenWidth(), ui::ScreenHeight());
  DataGrid1.Move(0, kToolbarHeight, ui::ScreenWidth(), static_cast<int>(ui::ScreenHeight() * 0.855));
  ShowCount("##,##0");
}

void Form1::ShowCount(const char* pattern) {
  automation::ResumeNext step;
  std::int32_t n = 0;
  step([&] { n = runtime::ToInt32(DataGrid1.ApproxCount()); });
  step([&] { StatusBar1.setPanelText(1, "     共查出：" + runtime::FormatNumber(n, pattern) + " 条"); });
}

void Form1::Form_Activate() {
  Show();
  gridwheel::ScrollGridByWheel(DataGrid1, Adodc1, wheel_);
}

void Form1::Form_Unload(int&) { wheel_.stop = true; }

void Form1::Adodc1_Error(std::int32_t, const std::string& Description) { ui::MsgBox(Description, ui::kOkOnly); }
