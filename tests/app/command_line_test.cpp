#include "app/command_line.h"

#include <gtest/gtest.h>
#include <QDir>

namespace {

using TAction = TCommandLine::TAction;

TEST(CommandLine, OptionsAndBookPaths) {
  const QString here = QDir::currentPath() + u'/';
  const struct {
    QStringList Arguments;
    TAction Action;
    QStringList BookPaths;
  } cases[] = {
      {{}, TAction::Run, {}},
      {{"--version"}, TAction::ShowVersion, {}},
      {{"-v"}, TAction::ShowVersion, {}},
      {{"a.vopa", "--help"}, TAction::ShowHelp, {}},
      {{"-h"}, TAction::ShowHelp, {}},
      {{"--frobnicate"}, TAction::Fail, {}},
      {{"-x", "--help"}, TAction::Fail, {}},
      {{"-"}, TAction::Fail, {}},
      {{"/tmp/a.vopa", "rel/b.vopa"}, TAction::Run, {"/tmp/a.vopa", here + "rel/b.vopa"}},
      {{"--", "--help", "-x"}, TAction::Run, {here + "--help", here + "-x"}},
      // Qt's own options and their values are not book paths.
      {{"-platform", "offscreen", "-style=fusion", "--reverse", "x.vopa"}, TAction::Run, {here + "x.vopa"}},
      {{"-session", "id1", "-widgetcount"}, TAction::Run, {}},
  };
  for (const auto& c : cases) {
    const TCommandLine line = ParseCommandLine(c.Arguments);
    const std::string name = c.Arguments.join(u' ').toStdString();
    EXPECT_EQ(line.Action, c.Action) << name;
    if (c.Action == TAction::Run) {
      EXPECT_EQ(line.BookPaths, c.BookPaths) << name;
    }
    EXPECT_EQ(line.Error.isEmpty(), c.Action != TAction::Fail) << name;
  }
}

TEST(CommandLine, ErrorNamesTheUnknownOption) {
  EXPECT_TRUE(ParseCommandLine({QStringLiteral("--frobnicate")}).Error.contains(QStringLiteral("--frobnicate")));
}

}  // namespace
