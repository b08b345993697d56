#include "platform/ui/screenshot.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>

#include "platform/ui/basic_controls.h"
#include "platform/ui/form.h"

namespace ui {
namespace {

class About : public Form {
 public:
  About() : Form("frmAbout") {
    setCaption("关于 Qorvane评估");
    Move(1500, 1500, 6000, 2400);
    setBackColor(Qt::white);
    lblTitle.Move(240, 240, 5400, 600);
    lblTitle.setFont("Noto Sans CJK SC", 15.75, true);
    lblTitle.setForeColor(QColor(0, 0, 255));
    lblOther.Move(240, 1200, 5400, 600);
    lblOther.setFont("Noto Sans CJK SC", 15.75, true);
    lblOther.setForeColor(QColor(0, 0, 255));
    cmdOK.Move(240, 1800, 1200, 450);
    cmdOK.setCaption("确定(&O)");
  }
  Label lblTitle{*this, "lblTitle"};
  Label lblOther{*this, "lblOther"};
  CommandButton cmdOK{*this, "cmdOK"};
};

// The blue text within a label's rectangle of the screenshot.
QImage Ink(const QImage& shot, const Label& label) {
  QImage part = shot.copy(label.widget()->geometry()).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < part.height(); ++y)
    for (int x = 0; x < part.width(); ++x) {
      const QColor c = part.pixelColor(x, y);
      part.setPixelColor(x, y, c.blue() > 128 && c.red() < 128 ? Qt::black : Qt::white);
    }
  return part;
}

int InkPixels(const QImage& ink) {
  int count = 0;
  for (int y = 0; y < ink.height(); ++y)
    for (int x = 0; x < ink.width(); ++x) count += ink.pixelColor(x, y) == Qt::black ? 1 : 0;
  return count;
}

TEST(ScreenshotTest, ChineseCaptionsRenderAsDistinctGlyphs) {
  About& about = Default<About>();
  about.lblTitle.setCaption("估价报告正在刷新中");
  about.lblOther.setCaption("房地产报告请稍后等");  // as many characters, none the same
  about.Show();
  QTemporaryDir dir;
  const std::string path = dir.filePath("about.png").toStdString();
  ASSERT_TRUE(SaveScreenshot(about, path));
  const QImage shot(QString::fromStdString(path));
  ASSERT_EQ(shot.size(), QSize(400, 160));
  const QImage title = Ink(shot, about.lblTitle);
  const QImage other = Ink(shot, about.lblOther);
  // Missing glyphs would all be drawn as the same box: the two captions would look alike.
  EXPECT_GT(InkPixels(title), 300);
  EXPECT_GT(InkPixels(other), 300);
  EXPECT_NE(title, other);
  Unload(about);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace ui
