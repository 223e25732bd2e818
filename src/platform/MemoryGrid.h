// A text grid held in memory: cells by column and row, and an optional pending editor text (tests use it).
#pragma once

#include "platform/TextGrid.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class TMemoryGrid : public TTextGrid {
public:
  TMemoryGrid(int colCount, int rowCount) : colCount(colCount) { SetRowCount(rowCount); }

  std::string GetCell(int col, int row) const override { return cells.at(Index(col, row)); }
  void SetCell(int col, int row, const std::string &text) override { cells.at(Index(col, row)) = text; }
  int GetColCount() const override { return colCount; }
  int GetRowCount() const override { return rowCount; }
  void SetRowCount(int count) override {
    rowCount = count;
    cells.resize(static_cast<std::size_t>(colCount * rowCount));
  }
  void CommitActiveEditor() override {
    if (editor) {
      SetCell(editor->Col, editor->Row, editor->Text);
      editor.reset();
    }
  }

  // Simulates an in-place editor holding text for a cell that is not yet committed.
  void OpenEditor(int col, int row, const std::string &text) { editor = TEditor{col, row, text}; }

private:
  struct TEditor {
    int Col, Row;
    std::string Text;
  };
  std::size_t Index(int col, int row) const {
    if (col < 0 || col >= colCount || row < 0 || row >= rowCount)
      throw std::out_of_range("cell outside the grid");
    return static_cast<std::size_t>(row * colCount + col);
  }

  int colCount;
  int rowCount = 0;
  std::vector<std::string> cells;
  std::optional<TEditor> editor;
};
