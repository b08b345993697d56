#pragma once
// The toolbar window: a small topmost tool window whose load handler runs the program's event loop
// until the quit sequence ends the process. Every command of the workbench starts from one of its
// buttons or menu items.

#include <cstdint>

#include "platform/automation/variant.h"
#include "platform/ui/basic_controls.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/toolbar.h"

class gongjulan : public ui::Form {
 public:
  gongjulan();

  ui::ImageList imlToolbarIcons{*this, "imlToolbarIcons"};
  ui::Toolbar Toolbar1{*this, "Toolbar1"};
  ui::Image Image1{*this, "Image1"};
  ui::CommonDialog CommonDialog1{*this, "CommonDialog1"};

  // Main menu FDC.
  ui::PopupMenu FDC{*this, "FDC"};
  ui::MenuArray fangdichan{*this, "fangdichan"};
  ui::MenuArray xj1{*this, "xj1"};
  ui::MenuArray 编辑{*this, "编辑"};
  ui::MenuArray 即时帮助{*this, "即时帮助"};
  ui::MenuArray 调整列宽{*this, "调整列宽"};
  ui::MenuArray 实用工具{*this, "实用工具"};
  ui::MenuArray 房屋交易案例查询服务{*this, "房屋交易案例查询服务"};
  ui::MenuArray 宗地交易案例查询服务{*this, "宗地交易案例查询服务"};
  ui::MenuArray fangdichan1{*this, "fangdichan1"};
  ui::MenuArray 建立估价合同{*this, "建立估价合同"};
  ui::MenuArray 估价1{*this, "估价1"};
  ui::MenuArray 计算分析{*this, "计算分析"};
  ui::MenuArray 保护{*this, "保护"};
  ui::MenuArray 当前工作表{*this, "当前工作表"};
  ui::MenuArray 当前工作簿{*this, "当前工作簿"};
  ui::MenuArray fangdichan2{*this, "fangdichan2"};
  ui::MenuArray 撰写报告{*this, "撰写报告"};
  ui::MenuArray 刷新市场法与收益法报告{*this, "刷新市场法与收益法报告"};
  ui::MenuArray 刷新成本法报告{*this, "刷新成本法报告"};
  ui::MenuArray 刷新土地报告{*this, "刷新土地报告"};
  ui::MenuArray qw{*this, "qw"};
  ui::MenuArray 自定义报告模版{*this, "自定义报告模版"};
  ui::MenuArray fangdichan3{*this, "fangdichan3"};
  ui::MenuArray fangdichan4{*this, "fangdichan4"};
  ui::MenuArray fangdichan5{*this, "fangdichan5"};
  ui::MenuArray fangdichan6{*this, "fangdichan6"};
  ui::MenuArray fangdichan7{*this, "fangdichan7"};
  ui::MenuArray 退出{*this, "退出"};

  // New-document menu FDD.
  ui::PopupMenu FDD{*this, "FDD"};
  ui::MenuArray 新建{*this, "新建"};

  // The toolbar Excel reference: set by every button click, read by the menu commands.
  automation::Object xlApp;
  // Set by the items of 计算分析, used for nothing else.
  automation::Object wdApp;

  void Form_Load() override;
  void Form_MouseUp(int button, int shift, float x, float y) override;
  void Form_QueryUnload(int& cancel, ui::UnloadMode mode) override;

  void Toolbar1_ButtonClick(const ui::ToolbarButton& Button);
  void xj1_Click(std::int16_t Index);
  void 新建_Click(std::int16_t Index);
  void 即时帮助_Click(std::int16_t Index);
  void 调整列宽_Click(std::int16_t Index);
  void 实用工具_Click(std::int16_t Index);
  void 建立估价合同_Click(std::int16_t Index);
  void 计算分析_Click(std::int16_t Index);
  void 当前工作表_Click(std::int16_t Index);
  void 当前工作簿_Click(std::int16_t Index);
  // The five items that start a program of the program folder share one handler.
  static void ProgramItem_Click(const char* program, std::int16_t Index);
  void 自定义报告模版_Click(std::int16_t Index);
  void fangdichan4_Click(std::int16_t Index);
  void fangdichan6_Click(std::int16_t Index);
  void 退出_Click(std::int16_t Index);

 private:
  void BuildToolbar();
  void BuildMenus();
  void ConnectHandlers();

  bool stop_ = false;
};

// The program folder's help file, opened with the desktop's handler (Ctrl+B, the 帮助 button and
// menu item).
void OpenHelpFile();
