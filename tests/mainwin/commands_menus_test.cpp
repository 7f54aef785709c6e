#include "window_fixture.h"

#include <QAbstractButton>
#include <QMenu>
#include <QToolBar>

namespace {

// Each entry: its caption (the hint for tool bar buttons, "-" for a separator) and whether it
// is enabled in a book of one memo, in a book of three with the middle one current, and in
// the trash with no memo current, as three '0'/'1' characters.
struct TEntry {
  QString Caption;
  QString Enabled;
};

struct TContainer {
  const char* Name;
  QList<TEntry> Entries;
};

const QList<TContainer>& Expected() {
  static const QList<TContainer> containers = {
      {"File1",
       {{"新規メモ(&Z)", "111"},
        {"新規ブック", "111"},
        {"読み込み(&W)...", "111"},
        {"テキストファイルに書き出し(&Y)...", "111"},
        {"-", ""},
        {"ヴォパメモの終了(&X)", "111"}}},
      {"Edit1",
       {{"コピー(&X)", "111"},
        {"切り取り(&Z)", "111"},
        {"貼り付け(&Y)", "111"},
        {"新規メモとして張り付け(&U)", "111"},
        {"-", ""},
        {"日付を挿入(&W)", "111"},
        {"時刻を挿入(&V)", "111"}}},
      {"View1",
       {{"最前面に表示(&X)", "111"},
        {"リストを隠す(&Y)", "111"},
        {"設定(&Z)...", "111"},
        {"-", ""},
        {"ごみ箱を開く", "111"}}},
      {"Help1", {{"ヘルプ(&X)", "111"}, {"バージョン情報(&Z)...", "111"}}},
      {"ToolBar1", {{"新規メモ", "111"}}},
      {"ToolBar2",
       {{"新規ブック", "111"},
        {"-", ""},
        {"ひとつ上へ", "010"},
        {"ひとつ下へ", "010"},
        {"-", ""},
        {"メモを分割", "110"},
        {"メモを結合", "010"},
        {"-", ""},
        {"削除", "110"}}},
      {"PopupMemo",
       {{"移動(ブック)", "111"},
        {"タイトル...", "111"},
        {"タイプ", "111"},
        {"-", ""},
        {"コピー", "111"},
        {"切り取り", "111"},
        {"貼り付け", "111"},
        {"-", ""},
        {"削除", "110"}}},
  };
  return containers;
}

}  // namespace

class MenuEntries : public WindowTest {
 protected:
  // The entries of a menu or tool bar as the user sees them, with the enabled state.
  QList<TEntry> Shown(const char* name) const {
    auto* container = Child<QWidget>(name);
    const bool toolBar = qobject_cast<QToolBar*>(container) != nullptr;
    QList<TEntry> entries;
    for (QAction* action : container->actions()) {
      if (action->isSeparator())
        entries.append({QStringLiteral("-"), QString()});
      else
        entries.append({toolBar ? action->toolTip() : action->text().section(QLatin1Char('\t'), 0, 0),
                        action->isEnabled() ? "1" : "0"});
    }
    return entries;
  }
};

TEST_F(MenuEntries, EveryEntryHasItsCaptionAndEnabledState) {
  Open({});
  const auto arrange = [this](int state) {
    if (state == 0) Fill({"only"}, 0);
    if (state == 1) Fill({"A", "B", "C"}, 1);
    if (state == 2) {
      Fill({"A", "B"}, 0);
      Press(Qt::Key_Delete, Qt::ControlModifier);
      Action("acOpenTrash")->trigger();
      Form->GetCurrent().SelectMemoAt(-1);
    }
  };
  const char* states[] = {"one memo", "three memos", "trash"};
  for (int state = 0; state < 3; ++state) {
    SCOPED_TRACE(states[state]);
    arrange(state);
    for (const TContainer& container : Expected()) {
      SCOPED_TRACE(container.Name);
      const QList<TEntry> shown = Shown(container.Name);
      ASSERT_EQ(shown.size(), container.Entries.size());
      for (int i = 0; i < shown.size(); ++i) {
        const TEntry& expected = container.Entries.at(i);
        EXPECT_EQ(shown.at(i).Caption, expected.Caption);
        if (!expected.Enabled.isEmpty()) {
          EXPECT_EQ(shown.at(i).Enabled, expected.Enabled.at(state)) << expected.Caption.toStdString();
        }
      }
    }
    EXPECT_TRUE(Child<QAbstractButton>("miniPageBtn")->isEnabled());
    EXPECT_EQ(Child<QAbstractButton>("MiniPileViewBtn")->isEnabled(), state != 2);
  }
}

TEST_F(MenuEntries, AMenuEntryRunsItsAction) {
  Open({"A"}, 0);
  Action("acNewMemoItem")->trigger();
  EXPECT_EQ(Texts(Book()), QStringList({"", "A"}));
  Action("acOpenTrash")->trigger();
  EXPECT_EQ(Form->GetCurrent().Book(), Form->GetTrashBook());
}
