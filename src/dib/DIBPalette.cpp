// The palette cache: lookup by checksum and entries, release by reference count.
#include "dib/DIBPalette.h"

#include <algorithm>

TPaletteItem::TPaletteItem(uint32_t checksum, const TRGBQuad *entries, int count)
    : Checksum(checksum), Entries(entries, entries + count) {
  Palette.reserve(count);
  for (const TRGBQuad &entry : Entries)
    Palette.push_back({entry.Red, entry.Green, entry.Blue, 0});
}

TPaletteManager &TPaletteManager::Instance() {
  static TPaletteManager manager;
  return manager;
}

uint32_t TPaletteManager::Checksum(const TRGBQuad *entries, int count) {
  uint32_t sum = static_cast<uint32_t>(count);
  for (int i = 0; i < count; ++i)
    sum += entries[i].Blue + entries[i].Green + entries[i].Red;
  return sum;
}

TPaletteHandle TPaletteManager::Lookup(const TRGBQuad *entries, int count) {
  const uint32_t checksum = Checksum(entries, count);
  for (const auto &item : items) {
    if (item->Checksum == checksum && static_cast<int>(item->Entries.size()) == count &&
        std::equal(item->Entries.begin(), item->Entries.end(), entries)) {
      ++item->RefCount;
      return &item->Palette;
    }
  }
  items.push_back(std::make_unique<TPaletteItem>(checksum, entries, count));
  return &items.back()->Palette;
}

void TPaletteManager::Release(TPaletteHandle &palette) {
  if (palette == nullptr)
    return;
  const auto found = std::find_if(items.begin(), items.end(),
                                   [&](const auto &item) { return &item->Palette == palette; });
  palette = nullptr;
  if (found != items.end() && --(*found)->RefCount == 0)
    items.erase(found);
}
