#pragma once

#include <QString>

// The text without leading and trailing characters of code 32 and below.
QString TrimControls(const QString& text);
