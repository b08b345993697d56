#include "platform/ui/locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

// Without the translations package Qt's texts stay English; nothing else changes.
void UseChineseLocale() {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  QLocale::setDefault(chinese);
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(chinese, "qt", "_", folder)) QCoreApplication::installTranslator(translator);
  else delete translator;
}

}  // namespace ui
