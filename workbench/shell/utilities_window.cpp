#include "workbench/shell/utilities_window.h"

#include <optional>
#include <string>

#include <QDate>

#include "platform/runtime/number_format.h"
#include "workbench/shell/amount_in_capitals.h"

实用工具1::实用工具1() : Form("实用工具1") {
  setCaption("实用工具");
  setBorderStyle(ui::BorderStyle::FixedSingle);
  // Wide enough for the longest amount in capitals, twelve integer places and a sign.
  Move(3000, 2400, 8880, 3960);

  Frame2.setCaption("转换大写");
  Frame2.Move(120, 60, 8640, 1260);
  Label5.setCaption("录入数字：");
  Label5.Move(300, 390, 1200, 300);
  Text2.Move(1500, 360, 7020, 330);
  Label6.setCaption("RMB 大写：");
  Label6.Move(300, 840, 1200, 300);
  Text1.Move(1500, 810, 7020, 330);

  Frame1.setCaption("启动选项");
  Frame1.Move(120, 1440, 8640, 2340);
  Label1.setCaption("开始或终止日期：");
  Label1.Move(300, 1800, 1860, 300);
  DTPicker1.Move(2220, 1770, 2100, 330);
  Label2.setCaption("估  价  时  点：");
  Label2.Move(300, 2250, 1860, 300);
  DTPicker2.Move(2220, 2220, 2100, 330);
  Label3.setCaption("已使用或剩余年期：");
  Label3.Move(300, 2700, 1860, 300);
  Label4.Move(2220, 2700, 2100, 300);
  Command1.setCaption("计算(&Y)");
  Command1.Move(7140, 3180, 1380, 420);

  for (ui::DatePicker* picker : {&DTPicker1, &DTPicker2}) {
    picker->setMinDate(QDate(1601, 1, 1));
    picker->setMaxDate(QDate(9999, 12, 31));
    picker->setValue(QDate(2014, 4, 28));
  }

  Text2.Change = [this] { Text2_Change(); };
  Command1.Click = [this] { Command1_Click(); };
}

// Until the box holds a complete number there is nothing to spell.
void 实用工具1::Text2_Change() {
  const std::optional<double> amount = 主类::TypedAmount(Text2.Text());
  Text1.setText(amount ? 主类::AmountToChineseUppercase(*amount) : std::string());
}

// Calendar months from the valuation date to the start or end date; the days do not count.
void 实用工具1::Command1_Click() {
  const QDate term = DTPicker1.Value();
  const QDate valuation = DTPicker2.Value();
  const int months = (term.year() - valuation.year()) * 12 + (term.month() - valuation.month());
  Label4.setCaption(runtime::FormatNumber(months / 12.0, "###0.00"));
}

void ShowUtilitiesWindow() { ui::Default<实用工具1>().Show(); }
