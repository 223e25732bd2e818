// Desktop shell services of the editor: opening a document in its associated program, and the busy cursor.
#pragma once

#include <string>

// Asks the desktop to open the file at path with its associated program; false when the desktop refused.
bool ShellOpenDocument(const std::string &path);

// Shows the busy (hourglass) cursor for its lifetime, whatever way the scope is left.
class TBusyCursor {
public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor &) = delete;
  TBusyCursor &operator=(const TBusyCursor &) = delete;
};
