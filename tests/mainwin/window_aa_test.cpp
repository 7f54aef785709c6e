#include "window_fixture.h"

#include "book/memo_type.h"
#include "view/aa_paper.h"
#include "view/page_view.h"
#include "view/pile_view.h"

#include <QMenu>

namespace {

using WindowAATest = WindowTest;

TEST_F(WindowAATest, CtrlAltASwitchesToArtAndBack) {
  Open({"first line\r\n (´･ω･`)", "below"}, 0);
  Book().Modified = false;
  Press(Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);

  TSMemo* memo = Book().MemoAt(0);
  EXPECT_EQ(memo->GetOption("Type"), "AA");
  EXPECT_TRUE(Book().Modified);
  auto* art = dynamic_cast<TPileAAPaper*>(Pile().Papers.at(0).get());
  ASSERT_NE(art, nullptr);
  EXPECT_TRUE(art->PaintBox()->isVisible());
  EXPECT_EQ(Pile().Papers.at(1)->Top, art->Height);
  // An untitled art memo is listed under its fixed title, not its first line.
  EXPECT_EQ(MemoTitle(*memo), DefaultTitleOf(kAAMemo));
  EXPECT_FALSE(Action("acDevide")->isEnabled());
  EXPECT_EQ(CurrentIndex(), 0);

  Press(Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(memo->GetOption("Type"), "Memo");
  EXPECT_NE(PileEditor(0), nullptr);
  EXPECT_EQ(MemoTitle(*memo), "first line");
  EXPECT_TRUE(Action("acDevide")->isEnabled());
}

TEST_F(WindowAATest, BlankMemoCannotBecomeArt) {
  Open({"x"});
  Fill({"", "　\r\n　", "text"}, 0);
  for (int index : {0, 1}) {
    Form->GetCurrent().SelectMemoAt(index);
    Book().Modified = false;
    Action("acEnAA")->trigger();
    EXPECT_EQ(Book().MemoAt(index)->GetOption("Type"), "") << index;
    EXPECT_FALSE(Book().Modified) << index;
  }
}

TEST_F(WindowAATest, PageViewShowsTheArtAndTheMemoMenuOffersTheSwitch) {
  Open({"=^.^=", "text"}, 0);
  ShowPage();
  Form->GetCurrent().SelectMemoAt(0);
  Action("acEnAA")->trigger();
  auto& page = static_cast<TPageView&>(*Form->GetPageView());
  ASSERT_EQ(page.ShownPaper, page.AAPaper.get());
  EXPECT_TRUE(page.AAPaper->PaintBox()->isVisible());
  EXPECT_FALSE(PageEditor()->isVisible());
  EXPECT_FALSE(page.AAPaper->ShownBitmap.isNull());

  auto* typeMenu = Child<QMenu>("Type1");
  ASSERT_NE(typeMenu, nullptr);
  EXPECT_EQ(typeMenu->title(), "タイプ");
  EXPECT_TRUE(typeMenu->actions().contains(Action("acEnAA")));
  EXPECT_EQ(Action("acEnAA")->text(), "Ascii Art");
}

}  // namespace
