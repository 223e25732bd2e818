// The ordered list of a document's entries: adding, reading a media stream, removal, look-up and the grid texts.
#include "media/FileList.h"

#include "media/ItemColumns.h"
#include "media/MediaMessages.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/ReadBuffer.h"
#include "platform/Streams.h"
#include "platform/TextGrid.h"
#include "platform/TextLanguage.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {
// Whether item is an entry of kind: an image for images, a sound for sounds.
bool IsOfKind(const TFileListItem *item, TMediaKind kind) {
  return kind == mkImages ? dynamic_cast<const TImageFileItem *>(item) != nullptr
                          : kind == mkSounds && dynamic_cast<const TSoundFileItem *>(item) != nullptr;
}

// A missing file changes nothing; one that cannot be opened raises the platform's error.
void TakeDataFrom(TFileListItem &entry, const std::string &path) {
  RequireRegularFile(path);
  if (!FileExists(path))
    return;
  const int64_t newSize = FileSize(path);
  entry.Offset = 0;
  entry.Size = newSize;
  entry.SourcePath = path;
}

} // namespace

std::vector<std::string> GridCells(const TFileListItem &item) {
  std::vector<std::string> cells;
  for (const TItemColumn &column : ItemColumns(IsOfKind(&item, mkImages) ? mkImages : mkSounds))
    cells.push_back(column.ToText(item));
  return cells;
}

void TFileList::AddImage(const std::string &path, bool transparent, int64_t size, int64_t offset,
                         TColor transparentColor, int32_t patternHeight, int32_t patternWidth, int32_t skipHeight,
                         int32_t skipWidth) {
  items.push_back(TImageFileItem::CreateFromFile(path, transparent, size, offset, transparentColor, patternHeight,
                                                 patternWidth, skipHeight, skipWidth));
}

void TFileList::AddSound(const std::string &path, bool looped, int64_t size, int64_t offset, int32_t frequency) {
  items.push_back(TSoundFileItem::CreateFromFile(path, looped, size, offset, frequency, 255, -1));
}

void TFileList::ReadEntry(TMediaKind kind, TStream &stream) {
  if (kind == mkImages)
    items.push_back(TImageFileItem::CreateFromStream(stream));
  else if (kind == mkSounds)
    items.push_back(TSoundFileItem::CreateFromStream(stream));
}

void TFileList::ReadAll(TStream &stream, TMediaKind &kind, int64_t end) {
  stream.SetPosition(0);
  uint8_t kindByte = 0;
  if (stream.Read(&kindByte, 1) != 1)
    throw EMediaStreamError(Translated(MediaMessages::NoKind));
  if (kindByte != mkImages && kindByte != mkSounds)
    throw EMediaStreamError(Translated(MediaMessages::UnknownKind));
  // Entries are collected aside, so a damaged stream leaves the list as it was.
  TFileList read;
  TReadBuffer records(stream);
  const int64_t size = end < 0 ? records.Size() : std::min(end, records.Size());
  while (records.Position() < size)
    read.ReadEntry(kindByte, records);
  kind = kindByte;
  for (auto &item : read.items)
    items.push_back(std::move(item));
}

void TFileList::RemoveByName(const std::string &name) {
  std::erase_if(items, [&](const auto &item) { return item->Name == name; });
}

void TFileList::RemoveAt(std::vector<int> positions) {
  std::sort(positions.begin(), positions.end());
  // One pass over the list, however many entries go: the kept ones close up in their order.
  auto removed = positions.begin();
  std::size_t kept = 0;
  for (std::size_t position = 0; position < items.size(); ++position) {
    while (removed != positions.end() && *removed < static_cast<int>(position))
      ++removed;
    if (removed == positions.end() || *removed != static_cast<int>(position))
      items[kept++] = std::move(items[position]);
  }
  items.resize(kept);
}

void TFileList::Exchange(int i, int j) { std::swap(items.at(static_cast<std::size_t>(i)), items.at(static_cast<std::size_t>(j))); }

void TFileList::Splice(const std::vector<int> &leaving,
                       std::vector<std::pair<int, std::unique_ptr<TFileListItem>>> coming) {
  const auto ascendingBelow = [](const auto &positions, std::size_t end, auto positionOf) {
    for (std::size_t i = 0; i < positions.size(); ++i)
      if (positionOf(positions[i]) < 0 || static_cast<std::size_t>(positionOf(positions[i])) >= end ||
          (i > 0 && positionOf(positions[i]) <= positionOf(positions[i - 1])))
        return false;
    return true;
  };
  const std::size_t total = items.size() - std::min(leaving.size(), items.size()) + coming.size();
  if (leaving.size() > items.size() || !ascendingBelow(leaving, items.size(), [](int p) { return p; }) ||
      !ascendingBelow(coming, total, [](const auto &entry) { return entry.first; }))
    throw std::out_of_range("TFileList::Splice");
  std::vector<std::unique_ptr<TFileListItem>> result;
  result.reserve(total);
  auto next = items.begin();
  auto gone = leaving.begin();
  auto arriving = coming.begin();
  for (std::size_t position = 0; position < total; ++position) {
    if (arriving != coming.end() && static_cast<std::size_t>(arriving->first) == position) {
      result.push_back(std::move((arriving++)->second));
      continue;
    }
    while (gone != leaving.end() && *gone == next - items.begin()) {
      ++gone;
      ++next;
    }
    result.push_back(std::move(*next++));
  }
  items = std::move(result);
}

TFileListItem *TFileList::FindEntry(const std::string &name, int64_t size) const {
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if ((*it)->Name == name && (*it)->Size == size)
      return it->get();
  return nullptr;
}

void TFileList::ReplaceSource(const std::string &name, int64_t size, const std::string &path) {
  if (TFileListItem *entry = FindEntry(name, size))
    TakeDataFrom(*entry, path);
}

void TFileList::ReplaceSourceAt(int position, const std::string &path) {
  if (position >= 0 && position < Count())
    TakeDataFrom(*items[static_cast<std::size_t>(position)], path);
}

void TFileList::FillGrid(TTextGrid &grid, TMediaKind kind) const {
  const auto shown = static_cast<int>(std::count_if(items.begin(), items.end(), [kind](const auto &item) { return IsOfKind(item.get(), kind); }));
  // The rows are made once, not one at a time: each change of the row count re-lays the widget grid out.
  if (grid.GetRowCount() < shown + 1)
    grid.SetRowCount(shown + 1);
  int row = 1;
  for (const auto &item : items)
    if (IsOfKind(item.get(), kind))
      WriteRow(grid, kind, item.get(), row++);
  for (; row < grid.GetRowCount(); ++row)
    WriteRow(grid, kind, nullptr, row);
}

void TFileList::FillRow(TTextGrid &grid, TMediaKind kind, int row) const {
  if (row < 1 || row >= grid.GetRowCount())
    return;
  const TFileListItem *entry = row <= Count() ? items[static_cast<std::size_t>(row - 1)].get() : nullptr;
  WriteRow(grid, kind, IsOfKind(entry, kind) ? entry : nullptr, row);
}

void TFileList::WriteRow(TTextGrid &grid, TMediaKind kind, const TFileListItem *entry, int row) {
  const int columns = grid.GetColCount();
  const int filled = entry ? std::min(columns, static_cast<int>(ItemColumns(kind).size())) : 0;
  for (int col = 0; col < filled; ++col)
    grid.SetCell(col, row, ItemColumns(kind)[static_cast<std::size_t>(col)].ToText(*entry));
  for (int col = filled; col < columns; ++col)
    grid.SetCell(col, row, std::string());
}

void TFileList::TakeOverGrid(TTextGrid &grid, TMediaKind kind) {
  grid.CommitActiveEditor();
  if (kind != mkImages && kind != mkSounds)
    return;
  for (int row = 1; row < grid.GetRowCount(); ++row) {
    const std::string sizeText = grid.GetCell(2, row);
    if (sizeText.empty())
      continue;
    const int64_t size = StrToInt64(sizeText);
    TFileListItem *entry = FindEntry(Utf8ToCp1250(grid.GetCell(0, row)), size);
    if (!IsOfKind(entry, kind))
      continue;
    // Each value is stored as soon as its cell converts, so a bad cell leaves the earlier columns stored.
    for (const TItemColumn &column : ItemColumns(kind))
      if (column.FromText)
        column.FromText(*entry, grid.GetCell(column.Index, row));
  }
}

bool TFileList::TakeOverRow(const TTextGrid &grid, TMediaKind kind, int row) {
  return TakeOverRowInto(grid, kind, row, row - 1);
}

bool TFileList::TakeOverRowInto(const TTextGrid &grid, TMediaKind kind, int row, int position) {
  if (row < 1 || position < 0 || position >= Count() || row >= grid.GetRowCount())
    return false;
  TFileListItem &entry = *items[static_cast<std::size_t>(position)];
  if (!IsOfKind(&entry, kind))
    return false;
  bool changed = false;
  for (const TItemColumn &column : ItemColumns(kind)) {
    if (!column.FromText || column.Index >= grid.GetColCount())
      continue;
    const std::string before = column.ToText(entry);
    try {
      column.FromText(entry, grid.GetCell(column.Index, row));
    } catch (const EConvertError &error) {
      throw EConvertError(Substitute(Translated("Položka %s, sloupec %s: %s"),
                                     {Cp1250ToUtf8(entry.Name), Translated(column.Caption), error.what()}));
    }
    if (column.ToText(entry) != before)
      changed = true;
  }
  return changed;
}

bool TFileList::TakeOverGridByRow(TTextGrid &grid, TMediaKind kind) {
  grid.CommitActiveEditor();
  bool changed = false;
  for (int row = 1; row <= Count() && row < grid.GetRowCount(); ++row)
    changed = TakeOverRow(grid, kind, row) || changed;
  return changed;
}
