// The little a list needs of a text grid to show its entries and take edits back; the widget grid implements it.
#pragma once

#include <string>

class TTextGrid {
public:
  virtual ~TTextGrid() = default;
  // Cell text as UTF-8; row 0 is the header row.
  virtual std::string GetCell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, const std::string &text) = 0;
  virtual int GetColCount() const = 0;
  virtual int GetRowCount() const = 0;
  virtual void SetRowCount(int rowCount) = 0;
  // Commits the text of the active in-place editor into its cell, if an editor is active.
  virtual void CommitActiveEditor() = 0;
};
