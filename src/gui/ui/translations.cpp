#include "gui/ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quillane::ui {

bool installJapaneseTranslations(QCoreApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  auto* translator = new QTranslator(&app);
  // "qt_ja" gathers the catalogues of every Qt module (qtbase_ja among them).
  if (!translator->load(QStringLiteral("qt_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace quillane::ui
