// The main menu as one table: where each entry goes, its caption with its mnemonic, icon, keys, command and when
// it is enabled.
#pragma once

#include <QKeySequence>

#include <vector>

class TForm1;

enum class TMenuPart { Menu, Submenu, EndSubmenu, Command, MenuBarCommand, Separator, RecentFiles };
// When an entry is enabled: always, or while the document's history has a step to undo or to redo.
enum class TMenuEnabled { Always, CanUndo, CanRedo };

struct TMenuItem {
  TMenuPart Part;
  const char *Name = nullptr;    // the object name of the menu or action
  const char *Caption = nullptr; // translated in the context "TForm1"
  int Icon = -1;                 // in ImageList1
  QKeySequence Keys = {};
  void (TForm1::*Command)() = nullptr;
  TMenuEnabled Enabled = TMenuEnabled::Always;
  // A second key for the same command, where users of other programs reach for either.
  QKeySequence Alternative = {};
  // Toggled entries are connected by whoever owns their state.
  bool Checkable = false;
};

// The menu bar from left to right, each menu from top to bottom.
const std::vector<TMenuItem> &MainMenuItems();
