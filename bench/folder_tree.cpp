// The folder tree and the book menus over large book directories: what the user waits for
// when the books pane shows a folder of 10,000 books, and when a book menu over 100 folders
// of 100 books is rebuilt as it opens.
#include "folders/file_box.h"
#include "folders/file_menu.h"
#include "folders/sort_file.h"

#include <benchmark/benchmark.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPixmap>
#include <QTemporaryDir>

namespace {

// Book names as people give them: Japanese and English words, dates and numbers mixed.
QString BookName(int n) {
  static const QStringList words = {"議事録",     "meeting", "買い物リスト", "ideas", "読書メモ", "project",
                                    "旅行の計画", "notes",   "レシピ",       "draft", "日記",     "todo"};
  return QStringLiteral("%1 %2 %3-%4 #%5.vopa")
      .arg(words[n % words.size()], words[(n / 7) % words.size()])
      .arg(2000 + n % 25)
      .arg(n % 12 + 1, 2, 10, QLatin1Char('0'))
      .arg(n);
}

void MakeBooks(const QString& folder, int count) {
  QDir().mkpath(folder);
  for (int n = 0; n < count; ++n) {
    QFile file(folder + BookName(n));
    file.open(QIODevice::WriteOnly);
  }
}

const QString& LargeFolder() {
  static QTemporaryDir home;
  static const QString root = [] {
    const QString dir = home.path() + QStringLiteral("/Books/");
    MakeBooks(dir, 10000);
    return dir;
  }();
  return root;
}

const QString& ManyFolders() {
  static QTemporaryDir home;
  static const QString root = [] {
    const QString dir = home.path() + QStringLiteral("/Books/");
    for (int f = 0; f < 100; ++f) MakeBooks(dir + QStringLiteral("フォルダ %1 folder/").arg(f), 100);
    return dir;
  }();
  return root;
}

// A new books pane pointed at the folder, its first screen painted.
void OpenAndPaint(const QString& root) {
  TVopaFileBox box;
  box.Animation = false;
  box.SaveSort = true;
  box.SetFileExtention(QStringLiteral(".vopa"));
  box.resize(220, 400);
  box.SetRootPath(root);
  QPixmap screen(box.viewport()->size());
  box.viewport()->render(&screen);
  benchmark::DoNotOptimize(screen);
}

void BM_OpenFolderOf10000BooksWithoutSortFile(benchmark::State& state) {
  const QString root = LargeFolder();
  for (auto _ : state) {
    state.PauseTiming();
    QFile::remove(root + kSortFileName);
    state.ResumeTiming();
    // The scan also writes the sort file for the first time.
    OpenAndPaint(root);
  }
}
BENCHMARK(BM_OpenFolderOf10000BooksWithoutSortFile)->Unit(benchmark::kMillisecond);

void BM_OpenFolderOf10000BooksInSortedOrder(benchmark::State& state) {
  const QString root = LargeFolder();
  OpenAndPaint(root);  // writes the sort file once
  for (auto _ : state) OpenAndPaint(root);
}
BENCHMARK(BM_OpenFolderOf10000BooksInSortedOrder)->Unit(benchmark::kMillisecond);

// The title bar's book menu as it pops up; with every submenu opened as well when all is set.
void RebuildMenu(benchmark::State& state, bool openEverySubmenu) {
  const QString root = ManyFolders();
  QMenu popup;
  QAction* target = popup.addAction(QString());
  TVopaFileMenu menu;
  menu.SetTargetMenu(&popup, target);
  menu.SetFileExtention(QStringLiteral(".vopa"));
  menu.SetRootPath(root);
  for (auto _ : state) {
    menu.Refresh();
    if (!openEverySubmenu) continue;
    for (QAction* entry : popup.actions())
      if (entry->menu()) emit entry->menu()->aboutToShow();
  }
  state.counters["entries"] = double(popup.actions().size());
}

void BM_RebuildBookMenuOver100Folders(benchmark::State& state) { RebuildMenu(state, false); }
BENCHMARK(BM_RebuildBookMenuOver100Folders)->Unit(benchmark::kMillisecond);

void BM_RebuildBookMenuAndOpenAll100FoldersOf100Books(benchmark::State& state) { RebuildMenu(state, true); }
BENCHMARK(BM_RebuildBookMenuAndOpenAll100FoldersOf100Books)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
