// Qt's own texts as an appraiser on a Chinese desktop reads them.
#include "platform/ui/locale.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QDate>
#include <QFileDialog>
#include <QLocale>
#include <QToolButton>

namespace ui {
namespace {

TEST(ChineseLocale, FileDialogsAndCalendarsSpeakChinese) {
  UseChineseLocale();
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.labelText(QFileDialog::LookIn).toStdString(), "查找范围：");
  EXPECT_EQ(dialog.labelText(QFileDialog::FileName).toStdString(), "文件名称(&N)：");
  EXPECT_EQ(dialog.labelText(QFileDialog::Accept).toStdString(), "打开(&O)");
  EXPECT_EQ(dialog.labelText(QFileDialog::Reject).toStdString(), "取消");

  QCalendarWidget calendar;
  calendar.setSelectedDate(QDate(2014, 4, 28));
  const auto* month = calendar.findChild<QToolButton*>("qt_calendar_monthbutton");
  ASSERT_NE(month, nullptr);
  EXPECT_EQ(month->text().toStdString(), "四月");
  EXPECT_EQ(QLocale().dayName(1, QLocale::ShortFormat).toStdString(), "周一");
}

}  // namespace
}  // namespace ui
