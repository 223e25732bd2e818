// The palette cache: one platform palette per distinct colour table in use, shared by reference count.
#pragma once

#include "dib/DIBFormat.h"

#include <cstdint>
#include <memory>
#include <vector>

// One entry of a platform palette.
struct TPaletteEntry {
  uint8_t Red = 0, Green = 0, Blue = 0, Flags = 0;
  bool operator==(const TPaletteEntry &) const = default;
};
using TPalette = std::vector<TPaletteEntry>;
// A palette handed out by the cache; null means "no palette".
using TPaletteHandle = const TPalette *;

class TPaletteItem {
public:
  TPaletteItem(uint32_t checksum, const TRGBQuad *entries, int count);

  uint32_t Checksum;
  std::vector<TRGBQuad> Entries;
  TPalette Palette;
  int RefCount = 1;
};

class TPaletteManager {
public:
  // The process-wide cache, made on first use and freed at exit.
  static TPaletteManager &Instance();

  // The palette of these entries: a shared one when an equal table is already in use.
  TPaletteHandle Lookup(const TRGBQuad *entries, int count);
  // Gives back a palette from Lookup and clears the caller's handle; the last release frees it.
  void Release(TPaletteHandle &palette);
  // Number of distinct palettes in use.
  int Count() const { return static_cast<int>(items.size()); }

  static uint32_t Checksum(const TRGBQuad *entries, int count);

private:
  std::vector<std::unique_ptr<TPaletteItem>> items;
};
