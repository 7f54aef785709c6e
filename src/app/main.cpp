#include "app/app_dirs.h"
#include "app/signal_watcher.h"
#include "app/single_instance.h"
#include "book/vopa_error.h"
#include "mainwin/main_window.h"

#include <QApplication>
#include <QMessageBox>
#include <memory>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vopamemo"));
  const QString dataHome = DataHomeFor(QApplication::applicationDirPath());

  TSingleInstance instance(dataHome);
  if (!instance.Claim()) return 0;
  // Watching from the start: a signal that arrives during start-up is handled once the loop runs.
  TSignalWatcher watcher;

  std::unique_ptr<TForm1> form;
  try {
    form = std::make_unique<TForm1>(dataHome);
  } catch (const EVopaError& error) {
    QMessageBox::critical(nullptr, QStringLiteral("ヴォパメモ"), error.Message);
    return 1;
  }
  QObject::connect(&instance, &TSingleInstance::ActivationRequested, form.get(), [&form] {
    // Only a minimised window is restored; a maximised one stays maximised.
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->show();
    form->raise();
    form->activateWindow();
  });
  QObject::connect(&watcher, &TSignalWatcher::TerminationRequested, form.get(), [&form] {
    form->QuietShutdown = true;
    form->close();
    QApplication::quit();
  });
  // The session manager ending the session runs the same shut-down as a close.
  QObject::connect(&app, &QApplication::aboutToQuit, form.get(), [&form] { form->Shutdown(); });
  form->show();
  return app.exec();
}
