#include "app/qt_japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

TQtJapanese::TQtJapanese(bool everything, QObject* parent) : QTranslator(parent), Everything(everything) {
  // The Japanese file is loaded whatever the system's language is.
  (void)Japanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString TQtJapanese::translate(const char* context, const char* sourceText, const char* disambiguation, int n) const {
  // The standard buttons (OK, Cancel, Yes, No) take their texts from the platform theme.
  if (!Everything && qstrcmp(context, "QPlatformTheme") != 0) return QString();
  return Japanese.translate(context, sourceText, disambiguation, n);
}

bool InstallQtJapanese(QCoreApplication& app) {
  auto* translator = new TQtJapanese(QLocale::system().language() == QLocale::Japanese, &app);
  if (!translator->Loaded()) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}
