// The toolbar of the case database window, and its two commands that reach Office.

#include "casedb/case_database_settings.h"
#include "casedb/form1.h"
#include "platform/automation/error_modes.h"
#include "platform/office/host/client.h"
#include "platform/ui/message_box.h"
#include "platform/ui/program.h"

using automation::Object;

void Form1::Toolbar1_ButtonClick(const ui::ToolbarButton& Button) {
  automation::ResumeNext step;
  const std::string& key = Button.Key;
  if (key == "add") {
    step([&] { Adodc1.recordset().AddNew(); });
  } else if (key == "save") {
    step([&] { Adodc1.recordset().Update(); });
  } else if (key == "shuaxin") {
    step([&] { Adodc1.setRecordSource("Table1"); });
    step([&] { Adodc1.Refresh(); });
    ShowCount("##,##0.00");
  } else if (key == "del") {
    step([&] { Adodc1.recordset().Delete(); });
    step([&] { Adodc1.recordset().Update(); });
  } else if (key == "refresh") {
    automation::StopAtFirstError([this] { OpenDatabaseInAccess(); });
  } else if (key == "help") {
    Object wordApp;
    step([&] { wordApp = office::CreateObject("Word.Application"); });
    step([&] { wordApp.obj("Documents").call("Open", ui::ProgramFolder() + "/房地产交易案例价格维护.doc"); });
    step([&] { wordApp.put("Visible", true); });
  } else if (key == "close") {
    step([&] { ui::Unload(*this); });
  }
}

void Form1::OpenDatabaseInAccess() {
  const std::string question =
      "本操作将打开ACCESS数据库，对于批量的进行添加或删除数据是个很好选择。\n\n"
      "在打开前当前窗体将自动关闭。数据库在打开过程中请根据提示单击“打开”按钮。\n\n"
      "注意：在增加或者删除数据库的时，数据库表名称不得修改或使用另存为，数据维护后保存并直接关闭即可，否则将产生重大错误！\n\n"
      "是否继续？";
  if (ui::MsgBox(question, ui::kYesNo, "通知") == ui::kNo) return;
  ui::Unload(*this);
  const Object access = office::GetRunningObject("Access.application");
  access.call("OpenCurrentDatabase", ui::ProgramFolder() + "/" + std::string(casedb::ThisProgram().file));
  access.put("Visible", true);
  access.obj("DoCmd").call("OpenTable", "Table1");
  access.obj("DoCmd").call("Maximize");
}
