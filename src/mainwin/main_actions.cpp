#include "mainwin/main_actions.h"

#include <QAction>
#include <QHash>
#include <QIcon>
#include <QKeySequence>

namespace {

struct TActionEntry {
  QAction* TMainActions::*Field;
  const char* Name;
  const char* Category;
  const char* Caption;
  const char* Hint;  // "short|long" where a status line text differs from the tool tip
  QKeySequence Keys;
};

// Actions shown on tool bars or view buttons, with their image in the resources.
const QHash<QString, QString> kIconNames = {
    {QStringLiteral("acNewMemo"), QStringLiteral("new_memo")},
    {QStringLiteral("acNewBook"), QStringLiteral("new_book")},
    {QStringLiteral("acTrashMemo"), QStringLiteral("trash")},
    {QStringLiteral("acMoveUp"), QStringLiteral("move_up")},
    {QStringLiteral("acMoveDown"), QStringLiteral("move_down")},
    {QStringLiteral("acDevide"), QStringLiteral("divide")},
    {QStringLiteral("acJoint"), QStringLiteral("join")},
    {QStringLiteral("acChangetoPileView"), QStringLiteral("pile_view")},
    {QStringLiteral("acChangetoPageView"), QStringLiteral("page_view")},
    {QStringLiteral("acShowList"), QStringLiteral("show_list")},
    {QStringLiteral("acHideList"), QStringLiteral("hide_list")},
};

QList<TActionEntry> ActionEntries() {
  const auto ctrl = [](int key) { return QKeySequence(Qt::CTRL | key); };
  return {
      {&TMainActions::acNewMemo, "acNewMemo", "ファイル", "新規メモ", "新規メモ", ctrl(Qt::Key_N)},
      {&TMainActions::acTrashMemo, "acTrashMemo", "メモ操作", "削除", "削除", ctrl(Qt::Key_Delete)},
      {&TMainActions::acMoveUp, "acMoveUp", "メモ操作", "acMoveUp", "ひとつ上へ", {}},
      {&TMainActions::acMoveDown, "acMoveDown", "メモ操作", "acMoveDown", "ひとつ下へ", {}},
      {&TMainActions::acMoveTop, "acMoveTop", "メモ操作", "acMoveTop", "", {}},
      {&TMainActions::acMoveBottom, "acMoveBottom", "メモ操作", "acMoveBottom", "", {}},
      {&TMainActions::acDevide, "acDevide", "メモ操作", "acDevide", "メモを分割", ctrl(Qt::Key_D)},
      {&TMainActions::acJoint, "acJoint", "メモ操作", "acJoint", "メモを結合", ctrl(Qt::Key_J)},
      {&TMainActions::acNextMemo, "acNextMemo", "メモ操作", "acNextMemo", "", {}},
      {&TMainActions::acPreviousMemo, "acPreviousMemo", "メモ操作", "acPreviousMemo", "", {}},
      {&TMainActions::acTop, "acTop", "メモ操作", "acTop", "", {}},
      {&TMainActions::acBottom, "acBottom", "メモ操作", "acBottom", "", {}},
      {&TMainActions::acUp, "acUp", "メモ操作", "acUp", "", {}},
      {&TMainActions::acDown, "acDown", "メモ操作", "acDown", "", {}},
      {&TMainActions::acEscapeFocus, "acEscapeFocus", "編集", "acEscapeFocus", "", {}},
      {&TMainActions::acChangeMemoTitle, "acChangeMemoTitle", "メモ操作", "タイトル...", "", {}},
      {&TMainActions::acPastAsNewMemo, "acPastAsNewMemo", "メモ操作", "新規メモとして張り付け", "", {}},
      {&TMainActions::acCopy, "acCopy", "編集", "コピー", "", ctrl(Qt::Key_C)},
      {&TMainActions::EditCut1, "EditCut1", "編集", "切り取り", "切り取り|選択部分を切り取り、クリップボードに送る",
       ctrl(Qt::Key_X)},
      {&TMainActions::EditPaste1, "EditPaste1", "編集", "貼り付け", "貼り付け|クリップボードの内容を貼り付ける",
       ctrl(Qt::Key_V)},
      {&TMainActions::acInputDate, "acInputDate", "編集", "日付を挿入", "", {}},
      {&TMainActions::acInputTime, "acInputTime", "編集", "時刻を挿入", "", {}},
      {&TMainActions::acEnAA, "acEnAA", "", "Ascii Art", "", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A)},
      {&TMainActions::acSave, "acSave", "ファイル", "acSave", "", ctrl(Qt::Key_S)},
      {&TMainActions::acPreviousBook, "acPreviousBook", "ブック操作", "acPreviousBook", "前のブック", {}},
      {&TMainActions::acNextBook, "acNextBook", "ブック操作", "acNextBook", "次のブック", {}},
      {&TMainActions::acOpen, "acOpen", "ファイル", "読み込み...", "", {}},
      {&TMainActions::acSaveAsText, "acSaveAsText", "ファイル", "テキストファイルに書き出し...", "", {}},
      {&TMainActions::acOpenTrash, "acOpenTrash", "ブック操作", "ごみ箱を開く", "ごみ箱を開く", {}},
      {&TMainActions::acNewBook, "acNewBook", "ブック操作", "新規ブック", "新規ブック", {}},
      {&TMainActions::acChangeBookName, "acChangeBookName", "ブック操作", "ブック名変更...", "", {}},
      {&TMainActions::acDeleteBook, "acDeleteBook", "ブック操作", "ブック削除", "ブックを削除", {}},
      {&TMainActions::FileExit1,
       "FileExit1",
       "ファイル",
       "ヴォパメモの終了(&X)",
       "終了|アプリケーションを終了する",
       {}},
      {&TMainActions::acChangetoPileView, "acChangetoPileView", "表示", "acChangetoPileView", "", {}},
      {&TMainActions::acChangetoPageView, "acChangetoPageView", "表示", "ページビュー", "", {}},
      {&TMainActions::acShowingFront, "acShowingFront", "表示", "最前面に表示", "常に最前面に表示する", {}},
      {&TMainActions::acShowList, "acShowList", "表示", "全体表示", "リストを表示", {}},
      {&TMainActions::acHideList, "acHideList", "表示", "リストを隠す", "リストを隠す", {}},
      {&TMainActions::acShowOption0, "acShowOption0", "表示", "設定...", "", {}},
      {&TMainActions::acOpenHelp, "acOpenHelp", "ヘルプ", "ヘルプ", "", {}},
      {&TMainActions::acOpenAbout, "acOpenAbout", "ヘルプ", "バージョン情報...", "", {}},
  };
}

}  // namespace

void TMainActions::Create(QObject* owner) {
  for (const TActionEntry& entry : ActionEntries()) {
    auto* action = new QAction(QString::fromUtf8(entry.Caption), owner);
    action->setObjectName(QString::fromUtf8(entry.Name));
    action->setProperty("category", QString::fromUtf8(entry.Category));
    const QStringList hint = QString::fromUtf8(entry.Hint).split(QLatin1Char('|'));
    if (!hint.first().isEmpty()) {
      action->setToolTip(hint.first());
      action->setStatusTip(hint.last());
    }
    if (const QString icon = kIconNames.value(action->objectName()); !icon.isEmpty())
      action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(icon)));
    action->setShortcut(entry.Keys);
    action->setShortcutContext(Qt::WindowShortcut);
    this->*entry.Field = action;
  }
  acShowingFront->setCheckable(true);
}

void TMainActions::SetRuntimeShortCuts() {
  const auto keys = [](QKeyCombination combination) { return QKeySequence(combination); };
  acMoveUp->setShortcut(keys(Qt::CTRL | Qt::Key_Up));
  acMoveDown->setShortcut(keys(Qt::CTRL | Qt::Key_Down));
  acMoveTop->setShortcut(keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
  acMoveBottom->setShortcut(keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
  acNextMemo->setShortcut(keys(Qt::ALT | Qt::Key_Down));
  acPreviousMemo->setShortcut(keys(Qt::ALT | Qt::Key_Up));
  acTop->setShortcut(keys(Qt::SHIFT | Qt::ALT | Qt::Key_Up));
  acBottom->setShortcut(keys(Qt::SHIFT | Qt::ALT | Qt::Key_Down));
  // Return and the keypad's Enter are one key to the user.
  acDevide->setShortcuts({keys(Qt::CTRL | Qt::Key_Return),
                          QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))});
  acNextBook->setShortcut(keys(Qt::CTRL | Qt::Key_Tab));
  // Shift turns Tab into Backtab on the way in; both spellings mean the same keys.
  acPreviousBook->setShortcuts(
      {keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
  acPastAsNewMemo->setShortcut(keys(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  acEscapeFocus->setShortcut(keys(Qt::Key_Escape));
  acDown->setShortcut(keys(Qt::Key_Down));
  acUp->setShortcut(keys(Qt::Key_Up));
  acInputDate->setShortcut(keys(Qt::CTRL | Qt::Key_Semicolon));
  acInputTime->setShortcut(keys(Qt::CTRL | Qt::Key_Colon));
}

QList<QAction*> TMainActions::RoutedThroughWindow() const {
  // Cut and paste are the editor's own; every other memo key goes to the dispatcher.
  return {acNewMemo,   acTrashMemo, acMoveUp,       acMoveDown,      acMoveTop, acMoveBottom,
          acDevide,    acJoint,     acNextMemo,     acPreviousMemo,  acTop,     acBottom,
          acUp,        acDown,      acEscapeFocus,  acPastAsNewMemo, acCopy,    acInputDate,
          acInputTime, acSave,      acPreviousBook, acNextBook,      acEnAA};
}
