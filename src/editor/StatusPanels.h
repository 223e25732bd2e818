// The status bar's panels beside the kind and the file: the entries with their total size, and the current row.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QLabel;
class QStatusBar;
class TFileList;

// "0 kB", "12,5 kB", "3,4 MB": kB below one MB, one decimal with a Czech comma.
QString SizeText(int64_t bytes);
// "1 položka", "3 položky", "5 položek".
QString EntriesText(int count);

class TStatusPanels {
public:
  // Adds the two panels at the right end of bar (owned by the bar).
  explicit TStatusPanels(QStatusBar &bar);
  // row is the grid's current row among the rows shown; shown is how many entries a filter shows, while one is on.
  void Update(const TFileList &list, int row, std::optional<int> shown);

private:
  QLabel *entries;
  QLabel *position;
};
