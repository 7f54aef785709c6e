#pragma once

#include <QtGlobal>

// Colour values: 0x00BBGGRR for RGB, 0xFF0000nn for system colour nn, 0x1FFFFFFF for none.
using TColor = quint32;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBtnShadow = 0xFF000010;

struct TColorSet {
  TColor FontColor = 0;
  TColor BackColor = clWindow;
  TColor FrameColor = clNone;
  bool operator==(const TColorSet&) const = default;
};
