#include "app/qt_japanese.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The buttons of a message box while translator is installed.
QStringList ButtonTexts(TQtJapanese& translator) {
  QCoreApplication::installTranslator(&translator);
  QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  QStringList texts;
  for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) texts << box.button(button)->text();
  QCoreApplication::removeTranslator(&translator);
  return texts;
}

TEST(QtJapaneseTest, DialogButtonsAreJapaneseWhateverTheLocale) {
  TQtJapanese buttonsOnly(false);
  ASSERT_TRUE(buttonsOnly.Loaded()) << "Debian package qt6-translations-l10n is missing";
  const QStringList texts = ButtonTexts(buttonsOnly);
  EXPECT_TRUE(texts.at(0).startsWith(QStringLiteral("はい"))) << texts.at(0).toStdString();
  EXPECT_TRUE(texts.at(1).startsWith(QStringLiteral("いいえ"))) << texts.at(1).toStdString();
  EXPECT_TRUE(texts.at(2).startsWith(QStringLiteral("キャンセル"))) << texts.at(2).toStdString();
}

TEST(QtJapaneseTest, OtherQtTextsFollowTheLocaleUnlessItIsJapanese) {
  TQtJapanese buttonsOnly(false);
  TQtJapanese everything(true);
  EXPECT_TRUE(buttonsOnly.translate("QFileDialog", "Open").isEmpty());
  EXPECT_FALSE(everything.translate("QFileDialog", "Open").isEmpty());
  EXPECT_EQ(ButtonTexts(everything), ButtonTexts(buttonsOnly));
}

}  // namespace
