#include "view/colors.h"
#include "view/paper_text.h"
#include "view/view_codes.h"

#include <gtest/gtest.h>

TEST(ColorsTest, ConvertsRgbSystemAndNone) {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  palette.setColor(QPalette::Dark, QColor(7, 8, 9));
  EXPECT_EQ(ToQColor(0x00332211, palette), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(ToQColor(clWindow, palette), QColor(1, 2, 3));
  EXPECT_EQ(ToQColor(clWindowText, palette), QColor(4, 5, 6));
  EXPECT_EQ(ToQColor(clBtnShadow, palette), QColor(7, 8, 9));
  EXPECT_FALSE(ToQColor(clNone, palette).isValid());
}

TEST(CodesTest, MemoTypes) {
  EXPECT_EQ(MemoTypeOf("AA"), kAAMemo);
  for (const char* type : {"Memo", "", "aa", "Other"}) EXPECT_EQ(MemoTypeOf(type), kTextMemo) << type;
}

TEST(PaperTextTest, LineBreaksBetweenMemoAndEditor) {
  EXPECT_EQ(ToEditorText("a\r\nb\rc\nd"), "a\nb\nc\nd");
  EXPECT_EQ(ToMemoText(QString("a\nb") + QChar(0x2029) + "c" + QChar(0x2028) + "d"), "a\r\nb\r\nc\r\nd");
  const QString nbsp = QString("x") + QChar(0xA0) + "y";
  EXPECT_EQ(ToMemoText(nbsp), nbsp);
}
