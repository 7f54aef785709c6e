#include "app/command_line.h"

#include "vopa_version.h"

#include <QFileInfo>

namespace {

// Options QApplication reads itself: these take a value, the flags below do not.
const QStringList kQtValueOptions = {QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
                                     QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
                                     QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
                                     QStringLiteral("qwindowtitle"),    QStringLiteral("display"),
                                     QStringLiteral("geometry"),        QStringLiteral("session"),
                                     QStringLiteral("style"),           QStringLiteral("stylesheet")};
const QStringList kQtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount")};

// "-style", "--style" and "-style=x" all name "style".
QString QtOptionName(const QString& argument) {
  QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
  return name.left(name.indexOf(u'='));
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
  TCommandLine line;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (optionsEnded || !argument.startsWith(u'-')) {
      line.BookPaths.append(QFileInfo(argument).absoluteFilePath());
    } else if (argument == QStringLiteral("--")) {
      optionsEnded = true;
    } else if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
      line.Action = TCommandLine::TAction::ShowHelp;
      return line;
    } else if (argument == QStringLiteral("--version") || argument == QStringLiteral("-v")) {
      line.Action = TCommandLine::TAction::ShowVersion;
      return line;
    } else if (kQtValueOptions.contains(QtOptionName(argument))) {
      if (!argument.contains(u'=')) ++i;  // its value follows
    } else if (!kQtFlagOptions.contains(QtOptionName(argument))) {
      line.Action = TCommandLine::TAction::Fail;
      line.Error = QStringLiteral("不明なオプションです: %1").arg(argument);
      return line;
    }
  }
  return line;
}

QString VersionText() { return QStringLiteral("VopaMemo " VOPA_VERSION_TEXT "\n"); }

QString UsageText() {
  return QStringLiteral(
      "使い方: vopamemo [オプション] [ブックファイル...]\n"
      "\n"
      "ヴォパメモを起動します。ブックファイル (.vopa) を指定すると、そのブックを開きます。\n"
      "ヴォパメモがすでに起動しているときは、そのウィンドウで開きます。\n"
      "\n"
      "オプション:\n"
      "  -h, --help     この使い方を表示して終了します\n"
      "  -v, --version  バージョンを表示して終了します\n"
      "  --             これより後はすべてファイル名として扱います\n"
      "\n"
      "Qt の標準オプション (-platform, -style など) も使えます。\n");
}
