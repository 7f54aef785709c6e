#pragma once

#include "app/color_set.h"

#include <QColor>
#include <QPalette>

// Converts a stored colour value to a drawable colour: 0x00BBGGRR, or a system
// colour 0xFF0000nn taken from the palette; clNone gives an invalid QColor.
QColor ToQColor(TColor color, const QPalette& palette);
QColor ToQColor(TColor color);
// The stored form of an RGB colour: 0x00BBGGRR.
TColor FromQColor(const QColor& color);
