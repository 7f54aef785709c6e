#pragma once

#include <QString>

// Where the help command and the about box send the user.
inline const QString kHelpPage = QStringLiteral("https://vopamemo.github.io/help/");
inline const QString kProductPage = QStringLiteral("https://vopamemo.github.io/");
inline const QString kMakerMail = QStringLiteral("mailto:vopamemo@users.noreply.github.com");
