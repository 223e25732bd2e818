// Small value types shared by the string grid, its column settings and the cell editors.
#pragma once

#include "desktop/ColorMap.h"

#include <QFlags>
#include <QFont>

// Horizontal alignment of grid text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A font with its colour, as a grid column keeps it (Qt fonts carry no colour of their own).
class TFont : public QFont {
public:
  TFont() = default;
  explicit TFont(const QFont &font, TColor color = ColorValues::clWindowText) : QFont(font), Color(color) {}
  TColor Color = ColorValues::clWindowText;
};

enum TGridOption {
  goFixedVertLine = 0x0001,
  goFixedHorzLine = 0x0002,
  goVertLine = 0x0004,
  goHorzLine = 0x0008,
  goRangeSelect = 0x0010,
  goDrawFocusSelected = 0x0020,
  goColMoving = 0x0040,
  goEditing = 0x0080,
  goTabs = 0x0100,
  goRowSelect = 0x0200,
  goAlwaysShowEditor = 0x0400,
  goColSizing = 0x0800, // the user drags the boundaries between the fixed row's cells to size columns
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

enum TGridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

// A block of cells, corners included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
  bool operator==(const TGridRect &) const = default;
};

// How an in-place combo box takes its text: csDropDown and csSimple let the user type, the others only pick.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// The spinner's arrow buttons: btNext steps up, btPrev steps down.
enum TUDBtnType { btNext, btPrev };
