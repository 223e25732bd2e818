// Colour values of the file formats and grids (0x00BBGGRR or a system colour) mapped to Qt colours and back.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

using TColor = std::uint32_t;

// The colour values the widgets use by name; system colours are 0x80000000 plus the desktop's colour index.
namespace ColorValues {
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clSilver = 0x00C0C0C0;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
} // namespace ColorValues

// A system colour is taken from the palette's role that plays the same part on this desktop; clNone is
// transparent; clDefault (and any value that is neither) gives defaultColor.
QColor ColorToQColor(TColor color, const QPalette &palette, const QColor &defaultColor = QColor());
// The same against the application's palette.
QColor ColorToQColor(TColor color);
// An opaque Qt colour as 0x00BBGGRR (alpha is dropped).
TColor QColorToColor(const QColor &color);
