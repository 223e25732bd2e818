// The filter over a document's entries: the names with extension that contain the typed text, letter case
// ignored, with "*" standing for any run of characters and "?" for any one.
#pragma once

#include "media/FileListItems.h"

#include <string>
#include <string_view>

class TEntryFilter {
public:
  // text is UTF-8 as typed; an empty text lets every entry through.
  explicit TEntryFilter(std::string_view text = {});

  bool Empty() const { return empty; }
  bool Matches(const TFileListItem &entry) const;

private:
  bool empty = true;
  // A character the names cannot hold matches nothing.
  bool impossible = false;
  // Windows-1250 in lower case, with "*" before and after: a match anywhere in the name.
  std::string pattern;
};
