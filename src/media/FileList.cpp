// The ordered list of a document's entries: adding, reading a media stream, removal, look-up and the grid texts.
#include "media/FileList.h"

#include "media/CellTexts.h"
#include "media/ItemColumns.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/IntegerText.h"
#include "platform/ReadBuffer.h"
#include "platform/Streams.h"
#include "platform/TextGrid.h"

#include <algorithm>
#include <utility>

namespace {
void WriteRow(TTextGrid &grid, int row, const std::vector<std::string> &cells) {
  const int columns = std::min(grid.GetColCount(), static_cast<int>(cells.size()));
  for (int col = 0; col < columns; ++col)
    grid.SetCell(col, row, cells[static_cast<std::size_t>(col)]);
}

std::vector<std::string> ImageCells(const TImageFileItem &item) {
  return {Cp1250ToUtf8(item.Name),          item.Ext.Utf8(),
          IntToStr(item.Size),              BoolToString(item.Transparent),
          ColorToString(item.TransparentColor), IntToStr(item.PatternHeight),
          IntToStr(item.PatternWidth),      IntToStr(item.SkipHeight),
          IntToStr(item.SkipWidth)};
}

std::vector<std::string> SoundCells(const TSoundFileItem &item) {
  return {Cp1250ToUtf8(item.Name), item.Ext.Utf8(),      IntToStr(item.Size), BoolToString(item.Looped),
          IntToStr(item.Frequency), IntToStr(item.Volume), IntToStr(item.Pan)};
}

// Each value is stored as soon as its cell converts, so a bad cell leaves the earlier columns stored.
void TakeOverImage(TImageFileItem &item, const TTextGrid &grid, int row) {
  item.Transparent = StringToBool(grid.GetCell(3, row));
  item.TransparentColor = StringToColor(grid.GetCell(4, row));
  item.PatternHeight = StrToInt(grid.GetCell(5, row));
  item.PatternWidth = StrToInt(grid.GetCell(6, row));
  item.SkipHeight = StrToInt(grid.GetCell(7, row));
  item.SkipWidth = StrToInt(grid.GetCell(8, row));
}

void TakeOverSound(TSoundFileItem &item, const TTextGrid &grid, int row) {
  item.Looped = StringToBool(grid.GetCell(3, row));
  item.Frequency = StrToInt(grid.GetCell(4, row));
  item.Volume = static_cast<uint8_t>(StrToInt(grid.GetCell(5, row)) & 0xFF);
  item.Pan = StrToInt(grid.GetCell(6, row));
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

template <class TValue> bool Store(TValue &field, TValue value) {
  if (field == value)
    return false;
  field = value;
  return true;
}

// A stored boolean byte keeps whatever non-zero value it was read with while its meaning stays the same.
bool StoreBool(TByteBool &field, bool value) { return (field != 0) != value && Store<TByteBool>(field, value); }

// One attribute cell into its entry; true when the value changed.
bool StoreAttribute(TFileListItem &entry, int attribute, const std::string &text) {
  if (auto *image = dynamic_cast<TImageFileItem *>(&entry)) {
    switch (attribute) {
    case 0: return StoreBool(image->Transparent, StringToBool(text));
    case 1: return Store(image->TransparentColor, StringToColor(text));
    case 2: return Store(image->PatternHeight, StrToInt(text));
    case 3: return Store(image->PatternWidth, StrToInt(text));
    case 4: return Store(image->SkipHeight, StrToInt(text));
    default: return Store(image->SkipWidth, StrToInt(text));
    }
  }
  auto &sound = dynamic_cast<TSoundFileItem &>(entry);
  switch (attribute) {
  case 0: return StoreBool(sound.Looped, StringToBool(text));
  case 1: return Store(sound.Frequency, StrToInt(text));
  case 2: return Store(sound.Volume, static_cast<uint8_t>(StrToInt(text) & 0xFF));
  default: return Store(sound.Pan, StrToInt(text));
  }
}
} // namespace

std::vector<std::string> GridCells(const TFileListItem &item) {
  if (const auto *image = dynamic_cast<const TImageFileItem *>(&item))
    return ImageCells(*image);
  return SoundCells(dynamic_cast<const TSoundFileItem &>(item));
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

void TFileList::ReadAll(TStream &stream, TMediaKind &kind) {
  stream.SetPosition(0);
  uint8_t kindByte = 0;
  if (stream.Read(&kindByte, 1) != 1)
    throw EMediaStreamError("Soubor je poškozený: chybí typ médií.");
  if (kindByte != mkImages && kindByte != mkSounds)
    throw EMediaStreamError("Neznámý typ médií v souboru.");
  // Entries are collected aside, so a damaged stream leaves the list as it was.
  TFileList read;
  TReadBuffer records(stream);
  const int64_t size = records.Size();
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
  // From the back, so that the positions still to come keep meaning the same entries.
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (auto it = positions.rbegin(); it != positions.rend(); ++it)
    if (*it >= 0 && *it < Count())
      items.erase(items.begin() + *it);
}

void TFileList::Exchange(int i, int j) { std::swap(items.at(static_cast<std::size_t>(i)), items.at(static_cast<std::size_t>(j))); }

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
  const int columns = grid.GetColCount();
  for (int row = 1; row < grid.GetRowCount(); ++row)
    for (int col = 0; col < columns; ++col)
      grid.SetCell(col, row, "");
  int row = 1;
  for (const auto &item : items) {
    const auto *image = kind == mkImages ? dynamic_cast<const TImageFileItem *>(item.get()) : nullptr;
    const auto *sound = kind == mkSounds ? dynamic_cast<const TSoundFileItem *>(item.get()) : nullptr;
    if (!image && !sound)
      continue;
    if (grid.GetRowCount() < row + 1)
      grid.SetRowCount(row + 1);
    WriteRow(grid, row, image ? ImageCells(*image) : SoundCells(*sound));
    ++row;
  }
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
    if (auto *image = kind == mkImages ? dynamic_cast<TImageFileItem *>(entry) : nullptr)
      TakeOverImage(*image, grid, row);
    else if (auto *sound = kind == mkSounds ? dynamic_cast<TSoundFileItem *>(entry) : nullptr)
      TakeOverSound(*sound, grid, row);
  }
}

bool TFileList::TakeOverRow(const TTextGrid &grid, TMediaKind kind, int row) {
  if (row < 1 || row > Count() || row >= grid.GetRowCount())
    return false;
  TFileListItem &entry = *items[static_cast<std::size_t>(row - 1)];
  const bool ofKind = kind == mkImages ? dynamic_cast<TImageFileItem *>(&entry) != nullptr
                                       : kind == mkSounds && dynamic_cast<TSoundFileItem *>(&entry) != nullptr;
  if (!ofKind)
    return false;
  const std::vector<std::string> &names = AttributeNames(kind);
  bool changed = false;
  for (int attribute = 0; attribute < static_cast<int>(names.size()); ++attribute) {
    const int col = FirstAttributeColumn + attribute;
    if (col >= grid.GetColCount())
      break;
    try {
      changed = StoreAttribute(entry, attribute, grid.GetCell(col, row)) || changed;
    } catch (const EConvertError &error) {
      throw EConvertError(Substitute("Položka %s, sloupec %s: %s",
                                     {Cp1250ToUtf8(entry.Name), names[static_cast<std::size_t>(attribute)], error.what()}));
    }
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
