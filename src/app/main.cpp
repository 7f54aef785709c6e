#include "app/app_dirs.h"
#include "app/command_line.h"
#include "app/qt_japanese.h"
#include "app/signal_watcher.h"
#include "app/single_instance.h"
#include "book/vopa_error.h"
#include "mainwin/main_window.h"
#include "vopa_version.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

// --version, --help and mistakes are answered on the terminal, before any window or file.
std::optional<int> AnswerOnTerminal(const TCommandLine& line) {
  switch (line.Action) {
    case TCommandLine::TAction::ShowVersion:
      std::fputs(VersionText().toUtf8().constData(), stdout);
      return 0;
    case TCommandLine::TAction::ShowHelp:
      std::fputs(UsageText().toUtf8().constData(), stdout);
      return 0;
    case TCommandLine::TAction::Fail:
      std::fprintf(stderr, "vopamemo: %s\n使い方は vopamemo --help で表示できます。\n",
                   line.Error.toUtf8().constData());
      return 2;
    case TCommandLine::TAction::Run:
      break;
  }
  return std::nullopt;
}

QString ErrorText(const std::exception& error) {
  if (const auto* vopa = dynamic_cast<const EVopaError*>(&error)) return vopa->Message;
  if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("メモリが足りません。");
  return QStringLiteral("予期しないエラーが起きました: %1").arg(QString::fromLocal8Bit(error.what()));
}

// A failure no window can show any more, reported on the terminal and in a box.
void ReportFatal(const QString& message) {
  std::fprintf(stderr, "vopamemo: %s\n", message.toUtf8().constData());
  QMessageBox::critical(nullptr, QStringLiteral("ヴォパメモ"), message);
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QFile::decodeName(argv[i]));
  const TCommandLine line = ParseCommandLine(arguments);
  if (const std::optional<int> exitCode = AnswerOnTerminal(line)) return *exitCode;

  QApplication app(argc, argv);
  // The per-user data directory (an installed program) is named after this.
  QApplication::setApplicationName(QStringLiteral("VopaMemo"));
  QApplication::setApplicationVersion(QStringLiteral(VOPA_VERSION_TEXT));
  QGuiApplication::setDesktopFileName(QStringLiteral("vopamemo"));
  // Without Qt's translations the standard buttons stay in English; nothing else is lost.
  InstallQtJapanese(app);
  const QString dataHome = DataHomeFor(QApplication::applicationDirPath());

  TSingleInstance instance(dataHome);
  if (!instance.Claim(line.BookPaths)) return 0;
  // Watching from the start: a signal that arrives during start-up is handled once the loop runs.
  TSignalWatcher watcher;
  // Until the window is there, a signal ends the program at once, from a start-up error box too.
  const QMetaObject::Connection beforeWindow =
      QObject::connect(&watcher, &TSignalWatcher::TerminationRequested, &app, [] { QCoreApplication::exit(1); });

  std::unique_ptr<TForm1> form;
  try {
    form = std::make_unique<TForm1>(dataHome);
  } catch (const std::exception& error) {
    ReportFatal(ErrorText(error));
    return 1;
  }
  QObject::disconnect(beforeWindow);
  for (const QString& path : line.BookPaths) form->OpenBook(path);
  QObject::connect(&instance, &TSingleInstance::OpenRequested, form.get(), &TForm1::OpenBook);
  QObject::connect(&instance, &TSingleInstance::ActivationRequested, form.get(), [&form] {
    // Only a minimised window is restored; a maximised one stays maximised.
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->show();
    form->raise();
    form->activateWindow();
  });
  // exit() leaves every event loop, an open message box's too, and asks no window (a
  // quit() could be refused by one); the shut-down then runs from aboutToQuit, outside
  // whatever the box interrupted.
  QObject::connect(&watcher, &TSignalWatcher::TerminationRequested, form.get(), [&form] {
    form->SetQuietShutdown(true);
    QCoreApplication::exit(0);
  });
  // The session manager ending the session runs the same shut-down as a close.
  QObject::connect(&app, &QApplication::aboutToQuit, form.get(), [&form] { form->Shutdown(); });
  form->show();
  int exitCode = 0;
  try {
    exitCode = QApplication::exec();
  } catch (const std::exception& error) {
    // The books are still saved; then the program ends with the message.
    ReportFatal(ErrorText(error));
    form->Shutdown();
    return 1;
  }
  // A book that could neither be saved nor rescued must not end as a success.
  return form->HaveBooksBeenLost() ? 1 : exitCode;
}
