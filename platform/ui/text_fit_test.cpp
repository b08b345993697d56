// Labels wrap at their width as the platform's do, and the windows' tests see what is cut off.
#include "platform/ui/text_fit.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

namespace ui {
namespace {

constexpr const char* kCapitals = "壹佰贰拾叁元肆角伍分";
constexpr const char* kQuestion = "    当前拟刷新的是市场法和收益法估价报告！点击“是”立即进行刷新；点击“否”停止刷新？";

class Window : public Form {
 public:
  Window() : Form("Window") {
    Move(1500, 1500, 5400, 3300);
    setBackColor(Qt::white);
    Label1.setCaption(kQuestion);
    Label1.Move(240, 180, 4920, 720);
    Command1.setCaption("确定(&O)");
    Command1.Move(1080, 1080, 1200, 420);
    Frame1.setCaption("转换大写");
    Frame1.Move(240, 1600, 4920, 600);
    Text1.setText(kCapitals);
    Text1.Move(2400, 1080, 2760, 330);
    RichTextBox1.setText("1、在本页用户可以使用[增加计算表]功能。\n2、评估价值均是自动生成！");
    RichTextBox1.Move(240, 2250, 4920, 900);
  }
  Label Label1{*this, "Label1"};
  CommandButton Command1{*this, "Command1"};
  Frame Frame1{*this, "Frame1"};
  TextBox Text1{*this, "Text1"};
  RichTextBox RichTextBox1{*this, "RichTextBox1"};
};

class TextFitTest : public ::testing::Test {
 protected:
  void SetUp() override { form().Show(); }
  void TearDown() override {
    Unload(form());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  static Window& form() { return Default<Window>(); }
};

// Rows of the label's rectangle that hold dark pixels.
int InkedRows(const QImage& shot, const QRect& area) {
  int rows = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    bool ink = false;
    for (int x = area.left(); x <= area.right() && !ink; ++x) ink = qGray(shot.pixel(x, y)) < 100;
    rows += ink ? 1 : 0;
  }
  return rows;
}

TEST_F(TextFitTest, ALongChineseCaptionWrapsWithinTheLabel) {
  const QImage shot = form().window().grab().toImage();
  EXPECT_TRUE(CutTexts(form()).empty());
  const QRect label = form().Label1.widget()->geometry();
  const int lineHeight = form().Label1.widget()->fontMetrics().height();
  // The question takes two lines: ink below the first line's height.
  const QRect secondLine(label.left(), label.top() + lineHeight, label.width(), lineHeight);
  EXPECT_GT(InkedRows(shot, secondLine), lineHeight / 3);
  EXPECT_EQ(form().Label1.Caption(), kQuestion);
}

TEST_F(TextFitTest, CaptionsThatDoNotFitTheirControlsAreNamed) {
  form().Label1.Move(240, 180, 4920, 300);  // one line's height for two lines of text
  form().Command1.Move(1080, 1080, 450, 420);
  form().Frame1.Move(240, 1600, 600, 600);
  form().Text1.Move(2400, 1080, 1200, 330);  // the text box scrolls
  form().RichTextBox1.setText("1\n2\n3\n4\n5\n6\n7\n8");
  form().window().grab();
  EXPECT_EQ(CutTexts(form()), (std::vector<std::string>{std::string("Label1: ") + kQuestion, "Command1: 确定(&O)",
                                                        "Frame1: 转换大写", std::string("Text1: ") + kCapitals,
                                                        "RichTextBox1: 1\n2\n3\n4\n5\n6\n7\n8"}));
  form().Text1.setVisible(false);
  form().RichTextBox1.setVisible(false);
  // Chinese breaks between any two characters: a character a line still fits.
  form().Label1.setCaption("估价方法选择：");
  form().Label1.Move(240, 180, 450, 3000);
  EXPECT_EQ(CutTexts(form()).front(), "Command1: 确定(&O)");
  form().Label1.setCaption("Qorvane_appraisal_workbook");  // one word wider than the label
  EXPECT_EQ(CutTexts(form()).front(), "Label1: Qorvane_appraisal_workbook");
}

}  // namespace
}  // namespace ui
