#include "refreshers/refrella/refrella_forms.h"

#include "refreshers/common/refresher_frame.h"

namespace refrella {

Form2::Form2() : Form("Form2") {
  setCaption("刷新报告");
  setBorderStyle(ui::BorderStyle::FixedDialog);
  Move(4000, 3000, 5400, 1800);
  Label1.setCaption("    当前拟刷新的是市场法和收益法估价报告！点击“是”立即进行刷新；点击“否”停止刷新？");
  Label1.Move(240, 180, 4920, 720);
  Command1.setCaption("确定(&O)");
  Command1.Move(1080, 1080, 1200, 420);
  Command1.setFocusFirst();
  Command2.setCaption("取消(&N)");
  Command2.Move(3120, 1080, 1200, 420);
  Command1.Click = [this] { Command1_Click(); };
  Command2.Click = [this] { Command2_Click(); };
}

void Form2::Command1_Click() {
  ui::Unload(*this);
  RunMarketIncomeRefresh();
}

// With no window left the program ends.
void Form2::Command2_Click() { ui::Unload(*this); }

Form3::Form3() : Form("Form3") {
  Label1.setCaption("房地产报告正在刷新中 请稍后......");
  Label1.setFont("华文宋体", 15.75, true);
  Label1.setBackColor(Qt::black);
  refreshers::LayOutWaitWindow(*this, Label1);
}

void Form3::Form_Load() {
  refreshers::MakeTopmost(*this);
  DoTheStuff();
}

void Form3::DoTheStuff() { refreshers::DoTheStuff(*this); }

}  // namespace refrella
