#pragma once

#include <QTranslator>

class QCoreApplication;

// Qt's own Japanese texts (the "qtbase" translations Qt installs beside itself).
class TQtJapanese : public QTranslator {
 public:
  // everything: all of Qt's texts, for a Japanese desktop. Otherwise only the standard
  // dialog buttons: every dialog of the program speaks Japanese, so its buttons must too.
  explicit TQtJapanese(bool everything, QObject* parent = nullptr);

  // False when Qt's Japanese translations are not installed.
  bool Loaded() const { return !Japanese.isEmpty(); }
  bool isEmpty() const override { return Japanese.isEmpty(); }
  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override;

 private:
  QTranslator Japanese;
  bool Everything;
};

// Installs Qt's Japanese texts for app: all of them under a Japanese system locale, the
// dialog buttons otherwise. Returns false when the translations are not installed.
bool InstallQtJapanese(QCoreApplication& app);
