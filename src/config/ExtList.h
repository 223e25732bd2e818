// The lists of accepted file extensions per media kind and the compression level, kept in config.ini.
#pragma once

#include "config/ExtString.h"

#include <cstdint>
#include <string>
#include <vector>

class TExtList {
public:
  // The largest "Count" read from config.ini; a hand-edited huge number must not exhaust memory.
  static constexpr int32_t MaxCount = 4096;

  explicit TExtList(std::string section) : section(std::move(section)) {}

  const std::string &Section() const { return section; }
  const std::vector<TExtString> &Items() const { return items; }
  int32_t Count() const { return static_cast<int32_t>(items.size()); }

  // Position of ext (cut to 5 characters) or -1; the last equal element wins.
  int IndexOf(const TExtString &ext) const;
  // Appends ext unless present; a duplicate shows "Seznam již tuto příponu obsahuje!" through the prompt.
  void Add(const TExtString &ext);
  // Moves the last extension into the removed one's place; an absent extension changes nothing.
  void Remove(const TExtString &ext);
  // The open dialog's mask in UTF-8: "*.BMP;*.JPG", or "*" for an empty list.
  std::string GetFilterMask() const;

  // Replaces the content with the list stored under Section in config.ini.
  void LoadFromIni();
  // Stores Count and Ext0..ExtN-1 under Section; higher keys left from a longer list stay untouched.
  void SaveToIni() const;

private:
  std::string section;
  std::vector<TExtString> items;
};

// "CompressionLevel" of section "Zip", 2 when missing; returned as read, even outside 0..3.
int ReadCompressionLevel();
void WriteCompressionLevel(int level);
// The level the ZIP writer may use: a hand-edited value outside 0..3, like one that is no number, means normal (2).
int ClampCompressionLevel(int level);
