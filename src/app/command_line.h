#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. Read before any window or file is touched.
struct TCommandLine {
  enum class TAction { Run, ShowVersion, ShowHelp, Fail };
  TAction Action = TAction::Run;
  QStringList BookPaths;  // absolute, in the order given
  QString Error;          // set with TAction::Fail
};

// arguments without the program name. Qt's own options (-platform, -style, ...) are let through.
TCommandLine ParseCommandLine(const QStringList& arguments);
QString VersionText();
QString UsageText();
