// The ordered list of a document's entries: adding, reading a media stream, removal, look-up and the grid texts.
#pragma once

#include "media/FileListItems.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TStream;
class TTextGrid;

// Names passed to and kept by the list are Windows-1250 bytes, like TFileListItem::Name; a name taken
// from a grid cell (UTF-8) goes through Utf8ToCp1250 first.
class TFileList {
public:
  const std::vector<std::unique_ptr<TFileListItem>> &Items() const { return items; }
  int32_t Count() const { return static_cast<int32_t>(items.size()); }

  void AddImage(const std::string &path, bool transparent, int64_t size, int64_t offset, TColor transparentColor,
                int32_t patternHeight, int32_t patternWidth, int32_t skipHeight, int32_t skipWidth);
  // Volume is always 255 and pan -1.
  void AddSound(const std::string &path, bool looped, int64_t size, int64_t offset, int32_t frequency);
  // Appends one entry of the kind read at the stream's position; another kind appends and reads nothing.
  void ReadEntry(TMediaKind kind, TStream &stream);
  // Reads a whole media stream from its start (up to end when it is given: data may follow it) and yields its kind.
  // Throws EMediaStreamError for an unknown kind or a damaged record, and then appends nothing at all.
  void ReadAll(TStream &stream, TMediaKind &kind, int64_t end = -1);

  // Removes every entry whose Name equals name exactly.
  void RemoveByName(const std::string &name);
  // Removes the entries at these zero-based positions (in any order); positions outside the list are ignored.
  void RemoveAt(std::vector<int> positions);
  // Swaps the entries at two valid zero-based positions.
  void Exchange(int i, int j);
  // Takes out the entries at the ascending zero-based positions leaving, then puts each of coming in at its
  // position in the resulting list (ascending too), in one pass over the list. Throws std::out_of_range, changing
  // nothing, when a position does not fit.
  void Splice(const std::vector<int> &leaving, std::vector<std::pair<int, std::unique_ptr<TFileListItem>>> coming);
  // The last entry with this Name and Size, or null.
  TFileListItem *FindEntry(const std::string &name, int64_t size) const;
  // The found entry takes its data from path from now on (offset 0, the file's size); a missing entry
  // or file changes nothing; a file that cannot be opened raises the platform's error.
  void ReplaceSource(const std::string &name, int64_t size, const std::string &path);
  // The same for the entry at a zero-based position; a position outside the list changes nothing.
  void ReplaceSourceAt(int position, const std::string &path);

  // Writes one row per entry of the kind from row 1 on and clears the rows after them, growing (never
  // shrinking) the rows.
  void FillGrid(TTextGrid &grid, TMediaKind kind) const;
  // Row n's cells from the entry at position n - 1, the way back of TakeOverRow; an empty row when no entry of
  // the kind is there.
  void FillRow(TTextGrid &grid, TMediaKind kind, int row) const;
  // Commits the grid's active editor, then stores every row's attribute cells into the entry found by
  // its name and size cells. A cell that is not a valid value raises EConvertError; values stored before stay.
  void TakeOverGrid(TTextGrid &grid, TMediaKind kind);
  // Row n's attribute cells into the entry at position n - 1, whatever its name cell shows; true when a value
  // changed. A cell that is not a valid value raises EConvertError naming the entry and the column
  // ("Položka tile, sloupec PatternHeight: ..."); the columns before it stay stored.
  bool TakeOverRow(const TTextGrid &grid, TMediaKind kind, int row);
  // The same from any row into the entry at a zero-based position.
  bool TakeOverRowInto(const TTextGrid &grid, TMediaKind kind, int row, int position);
  // Commits the grid's active editor, then takes over every row that shows an entry; true when a value changed.
  bool TakeOverGridByRow(TTextGrid &grid, TMediaKind kind);

  // The entry's texts into the row, or an empty row for none; columns beyond the kind's stay empty.
  static void WriteRow(TTextGrid &grid, TMediaKind kind, const TFileListItem *entry, int row);

private:

  std::vector<std::unique_ptr<TFileListItem>> items;
};

// The texts FillGrid writes into an entry's row, column by column.
std::vector<std::string> GridCells(const TFileListItem &item);
