// Paper sizes and colours in the pile view of the real window.
#include "window_fixture.h"

#include "book/book.h"
#include "book/memo.h"
#include "view/colors.h"
#include "view/pile_paper.h"
#include "view/pile_view.h"

#include <QScrollBar>

namespace {

QColor Background(QPlainTextEdit* editor) { return editor->palette().color(QPalette::Base); }

TEST_F(WindowTest, PapersAreTwoLinesHighAtLeastAndGrowWithEnterBeforeTheCaretMoves) {
  Open({QStringLiteral("one line"), QStringLiteral("below")});
  auto& first = static_cast<TSimplePilePaper&>(*Pile().Papers[0]);
  const int line = first.LineHeight;
  ASSERT_GT(line, 0);
  EXPECT_EQ(PileEditor(0)->height(), 2 * line + 10);
  Enter(0, 8);
  Press(Qt::Key_Return);  // "one line", the new line, and the line the loaded text ends with
  EXPECT_EQ(PileEditor(0)->height(), 3 * line + 10);
  EXPECT_EQ(PileEditor(1)->y(), PileEditor(0)->y() + PileEditor(0)->height());
  EXPECT_LT(FocusedEditor()->cursorRect().bottom(), FocusedEditor()->height());
  EXPECT_EQ(FocusedEditor()->verticalScrollBar()->value(), 0);
}

TEST_F(WindowTest, CurrentMovedInAndOtherPapersHaveTheirColours) {
  Open({QStringLiteral("other"), QStringLiteral("moved in"), QStringLiteral("third")});
  TSMemo* moved = Book().MemoAt(1);
  // As a transfer from another book leaves it: marked, in a book shown anew.
  moved->Options.Set(kOptTransfered, QStringLiteral("True"));
  Form->SetCurrentView(Form->GetPageView());
  Form->SetCurrentView(Form->GetPileView());
  const TVopaPrm& prm = Form->GetPrm();
  EXPECT_EQ(Background(PileEditor(0)), ToQColor(prm.PaperColors.BackColor, PileEditor(0)->palette()));
  EXPECT_EQ(Background(PileEditor(1)), ToQColor(prm.TransferedPaperColors.BackColor));
  Enter(1, 0);
  EXPECT_EQ(Background(PileEditor(1)), ToQColor(prm.ActivePaperColors.BackColor));
  EXPECT_EQ(moved->GetOption(kOptTransfered), QString());
  Enter(2, 0);
  EXPECT_EQ(Background(PileEditor(1)), ToQColor(prm.PaperColors.BackColor, PileEditor(1)->palette()));
  EXPECT_EQ(Background(PileEditor(2)), ToQColor(prm.ActivePaperColors.BackColor));
}

}  // namespace
