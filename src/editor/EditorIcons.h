// The editor's pictures: the ten 16 × 16 menu icons of ImageList1 and the program's icon, all drawn here.
#pragma once

#include <QIcon>
#include <QImage>

// Indices of ImageList1, as the main menu uses them.
enum TEditorIcon {
  iconNew = 0,
  iconOpen = 1,
  iconSave = 2,
  iconExit = 3,
  iconImages = 4,
  iconSounds = 5,
  iconAdd = 6,
  iconRemove = 7,
  iconHelp = 8,
  iconAbout = 9,
  EditorIconCount = 10
};

// One 16 × 16 icon of ImageList1.
QIcon ImageList1(int index);
// The program's icon: a box holding a picture and a note.
QIcon ProgramIcon();
QImage ProgramImage(int size);
