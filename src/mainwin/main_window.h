#pragma once

#include "app/app_dirs.h"
#include "app/vopa_prm.h"
#include "book/book_host.h"
#include "book/current_book.h"
#include "mainwin/main_actions.h"
#include "view/memo_command.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QWheelEvent;
class TQumColListBox;
class TBook;
class TIniFile;
class TOptionList;
class TQumFileManager;
class TSMemo;
class TTrashBook;
class TView;
class TViewHost;
class TTrashPanel;
class TVopaFileBox;
class TVopaFileMenu;
class TVrTextDropTarget;
class QToolButton;

// Batching of memo list repaints.
enum class TUpdateKind : quint8 { ukBegin, ukEnd, ukFlush, ukCurrentChanged, ukListChanged };

// The main window: owner of the settings, the trash, the open books and the views,
// and holder of the current book and memo.
class TForm1 : public QMainWindow, private TBookHost {
  Q_OBJECT
 public:
  // Runs the whole start-up in dataHome (the executable's directory or the per-user
  // data directory). Throws EVopaError when the book or extra directory cannot be made.
  explicit TForm1(const QString& dataHome, QWidget* parent = nullptr);
  ~TForm1() override;

  // The orderly shut-down; runs once, whatever asks for it first.
  void Shutdown();
  // Set before a shut-down asked for by a signal: nothing may wait for the user then.
  void SetQuietShutdown(bool quiet) { QuietShutdown = quiet; }
  // True when the shut-down could neither save nor rescue a book.
  bool HaveBooksBeenLost() const { return BooksLost; }

  // Opens a file as a book (the open book when it is open already) and makes it current;
  // a missing or unreadable file is reported.
  void OpenBook(const QString& path);
  // The open command: like OpenBook, and a file from outside the book tree becomes a new
  // book in the current folder.
  void ImportBook(const QString& path);
  // Writes every memo of book into a text file.
  void ExportBook(const TBook& book, const QString& path);
  // Dropped text becomes a memo marked "Imported" at the top of a book.
  void VrTextDropTarget1TextDrop(const QString& text);

  const TVopaPrm& GetPrm() const { return Prm; }
  TTrashBook* GetTrashBook() const { return TrashBook.get(); }
  TQumFileManager* GetFileManager() const { return FileManager.get(); }
  TView* GetPileView() const { return PileView.get(); }
  TView* GetPageView() const { return PageView.get(); }
  TView* GetCurrentView() const { return CurrentView; }
  const TMainActions& GetActions() const { return Actions; }
  QMenu* GetPopupMemo() const { return PopupMemo; }
  TTrashPanel* GetTrashPanel() const { return TrashPanel; }

  // The current book and memo; every change of them and of the book's memo list goes through it.
  TCurrentBook& GetCurrent() { return Current; }
  // Also tells the book it is left or entered and shows it in the memo list and the title bar.
  void SetCurrentBook(TBook* book);
  void SetCurrentView(TView* view);
  // The window title: the current book, then the caption.
  void ShowCaption();

  // Memo commands.
  void DoMemoCommand(TMemoCommand code);
  void UpdateActions();
  // The previous (step < 0) or next open book.
  void StepBook(int step);
  // Titles follow the memo texts; the list repaints the rows in sight.
  void RepaintMemoList();
  bool ShiftHeld() const;
  Qt::MouseButtons HeldButtons() const;
  // Starts writing the modified books on the saver's worker (Ctrl+S and the autosave).
  void SaveOpenBooks();

  // Commands that act on the current memo directly (memo_commands.cpp).
  void DeleteCurrentMemo();
  void MoveCurrentMemoTo(TBook* target);
  // Switches a memo's "Type" option and lets the current view show it anew.
  void SetMemoType(TSMemo* memo, const QString& typeText);
  // Window modes (window_modes.cpp). The compact window hides the lists and the top bar
  // and keeps the right pane where it was on the screen.
  void ShowList(bool showing);
  bool IsCompact() const { return Compact.On; }
  void SetStayOnTop(bool on);
  // A tool window has no taskbar button; kept whenever no tray icon is shown.
  void SetTaskbarButton(bool on);
  // Shown only where the desktop has a tray.
  void SetTrayIcon(bool on);
  QSystemTrayIcon* TrayIcon() const { return Tray; }
  // Whether the desktop has a tray; tests stand in for one.
  static bool (*TrayAvailable)();
  // The settings dialog; OK applies its values at once.
  void acShowOptionExecute();
  void ApplySettings(const TVopaPrm& prm);
  QMenu* PopupCool = nullptr;
  QMenu* PopupTaskLeft = nullptr;

  // Deletes every memo of the trash for good; only while the trash is shown.
  void EmptyTrash();

  // Books and folders (book_commands.cpp): each changes the disk first, then tells the open
  // books and the folder tree.
  void NewBookIn(const QString& folder);
  void NewFolderIn(const QString& folder);
  void RenameFolder(const QString& path);
  void RenameBook(TBook* book);
  // Moves the book's memos to the top of the trash and deletes its file; false for the only book.
  bool DeleteBook(TBook* book);
  void DeleteFolder(const QString& path);
  void OnMoveCurMemoTo(const QString& path);
  // Gives the books pane the height its tree needs, within half the list pane.
  void FitBooksPanel();
  TVopaFileBox* FileBox = nullptr;

 public slots:
  // Each tick arms one autosave pass at the next idle moment.
  void Timer1Timer();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TUpdateGuard;
  // TBookHost: the trash shows its options panel and the extra colour in the title bar.
  void BookEntered(TBookKind kind) override;
  void BookLeft(TBookKind kind) override;
  void ColorBookTitleBar(TColor color);
  void SetTrashPanelVisible(bool visible);
  void UpdateState(TUpdateKind kind);
  void ConnectCurrentBook();
  void BuildFrame();
  void BuildMemoList();
  void BuildToolBars();
  void QumColListBox1IdxChange();
  void QumColListBox1Click();
  // Window resized or a splitter moved: the lists repaint and the view lays itself out again.
  void PanesResized();
  void FormCreate();
  void CreateViews();
  void LoadSettings();
  // The list font and item sizes to the memo list and the folder tree.
  void ApplyListLook();
  void SaveSettings();
  void OpenTrashBook();
  TBook* OpenStartupBook();
  // The first book of the tree (unless it is the one that just failed), else a new "Book1.vopa".
  TBook* OpenFirstOrNewBook(const QString& failed = QString());
  TBook* OpenReadableBook(const QString& path);
  void ConnectTextTransfer();
  // Where new text goes when the trash (or nothing) is shown.
  TBook* BookForNewText();
  TBook* TryOpenBook(const QString& path);
  // Tells the user once that a book was read from a damaged file.
  void ReportLoadNote(TBook& book);
  void ApplicationEvents1Idle();
  // A save pass ended: its failures are told, and a pass asked for meanwhile starts.
  void OpenBooksSaved(const QStringList& failures);
  // Shows the save failures of one autosave pass (none when it saved everything).
  void ReportSaveFailures(const QStringList& failures);
  void ConnectMemoActions();
  void ConnectBookSteps();
  void WheelToCommand(QWheelEvent* event);
  void ShowCurrentInPile();
  void CloseBooksRescuing();
  void ReportError(const QString& message);
  void ShowPendingErrors();
  void ShowErrorBox(const QString& message);
  QString RescueReport(TBook& book, const QString& error);
  TWindowBounds CurrentBounds() const;
  void ConnectDirectCommands();
  void acTrashMemoExecute();
  void acChangeMemoTitleExecute();
  void acCopyExecute();
  void acPastAsNewMemoExecute();
  void acEnAAExecute();
  void BuildMenus();
  void KeepKeysAfterMenu(QMenu* menu);
  void BuildViewButtons();
  // The folder tree, its menus and the book menus (book_folders.cpp).
  void BuildBooksPane();
  void BuildBookMenus();
  void PointFoldersAtBookDir();
  // The folder tree and the move menu follow the current book.
  void ShowBookInFolders(TBook* book);
  void FolderEntryMoved(const QString& oldPath, const QString& newPath);
  void ToggleBooksPane();
  // The book commands (book_commands.cpp).
  void ConnectBookCommands();
  QString PopupFolder() const;
  void N20Click();
  void N22Click();
  void PopupBook2Popup();
  void acChangeBookNameExecute();
  bool DeleteBooksUnder(const QString& folder, QString& failure);
  // Another book to show instead of the books whose paths begin with skip; none when there is none.
  TBook* BookOutside(const QString& skip);
  void SwitchView(TView* view);
  void BuildWindowModes();
  QList<QWidget*> TopBar() const;
  void SetWindowFlagsKeepingPlace(Qt::WindowFlags flags);
  void TrayIconActivated(QSystemTrayIcon::ActivationReason reason);

  TVopaPrm Prm;
  THeaderColors Headers;
  TAppDirs Dirs;
  std::unique_ptr<TIniFile> IniFile;
  std::unique_ptr<TTrashBook> TrashBook;
  std::unique_ptr<TQumFileManager> FileManager;
  TCurrentBook Current;
  std::unique_ptr<TViewHost> ViewHost;
  std::unique_ptr<TView> PileView;
  std::unique_ptr<TView> PageView;
  TView* CurrentView = nullptr;
  TMainActions Actions;
  QMenu* PopupMemo = nullptr;
  TTrashPanel* TrashPanel = nullptr;
  bool QuietShutdown = false;
  bool BooksLost = false;
  QWidget* ListPane = nullptr;
  QSplitter* PaneSplitter = nullptr;
  QSplitter* ListSplitter = nullptr;
  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;
  QLabel* Panel5 = nullptr;
  QLabel* BooksTitleBar = nullptr;
  QMenu* PopupBook2 = nullptr;
  QMenu* SelectBookPopup = nullptr;
  QAction* N22 = nullptr;
  QAction* N26 = nullptr;
  QAction* BooksItem = nullptr;
  TVopaFileMenu* VopaFileMenu1 = nullptr;
  TVopaFileMenu* VopaMovwMenuRoot = nullptr;
  TVopaFileMenu* VopaMoveMenuCur = nullptr;
  TQumColListBox* QumColListBox1 = nullptr;
  QWidget* BottomBar = nullptr;
  QToolButton* miniPageBtn = nullptr;
  QToolButton* MiniPileViewBtn = nullptr;
  QToolButton* ShowListBtn = nullptr;
  QToolButton* HideListBtn = nullptr;
  QToolButton* CoolButton = nullptr;
  QSystemTrayIcon* Tray = nullptr;
  TVrTextDropTarget* VrTextDropTarget1 = nullptr;
  // What the compact window took away, to give back when the list is shown again.
  struct {
    bool On = false;
    int ListWidth = 0;
    int TopBarHeight = 0;
  } Compact;
  QTimer* Timer1 = nullptr;
  QList<QKeySequence> RoutedKeys;
  QPointer<QWidget> FocusBeforeMenu;
  int WheelRest = 0;
  Qt::KeyboardModifiers InputModifiers;
  Qt::MouseButtons InputButtons;
  int UpdateLock = 0;
  bool ListChanged = false;
  bool CurrentChanged = false;
  bool IdleArmed = false;
  // A save was asked for while a pass was still writing.
  bool SaveAgain = false;
  bool ShowingError = false;
  bool ShutDownDone = false;
  QStringList PendingErrors;
  // The failures of the last autosave pass, each already told to the user.
  QStringList SaveFailures;
  QLabel* SaveState = nullptr;
};

// Holds the memo list's repaints back while it lives; the outermost one repaints once as it ends,
// on every way out of its scope.
class TUpdateGuard {
 public:
  explicit TUpdateGuard(TForm1& form) : Form(form) { Form.UpdateState(TUpdateKind::ukBegin); }
  ~TUpdateGuard() { Form.UpdateState(TUpdateKind::ukEnd); }
  TUpdateGuard(const TUpdateGuard&) = delete;
  TUpdateGuard& operator=(const TUpdateGuard&) = delete;

 private:
  TForm1& Form;
};
