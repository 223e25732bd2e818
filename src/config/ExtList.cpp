// The lists of accepted file extensions per media kind and the compression level, kept in config.ini.
#include "config/ExtList.h"

#include "config/DefaultConfig.h"
#include "platform/AppFolder.h"
#include "platform/IniFile.h"
#include "platform/IntegerText.h"
#include "platform/Prompt.h"
#include "platform/TextLanguage.h"

#include <algorithm>

namespace {
const char *const zipSection = "Zip";
const char *const compressionKey = "CompressionLevel";
constexpr int defaultCompressionLevel = 2;

std::string ExtKey(int32_t n) { return "Ext" + IntToStr(n); }
} // namespace

int TExtList::IndexOf(const TExtString &ext) const {
  for (int i = Count() - 1; i >= 0; --i)
    if (items[static_cast<std::size_t>(i)] == ext)
      return i;
  return -1;
}

void TExtList::Add(const TExtString &ext) {
  if (IndexOf(ext) != -1) {
    Prompt().ShowError(Translated("Seznam již tuto příponu obsahuje!"));
    return;
  }
  items.push_back(TExtString(ext.Text()));
}

void TExtList::Remove(const TExtString &ext) {
  const int i = IndexOf(ext);
  if (i == -1)
    return;
  items[static_cast<std::size_t>(i)] = items.back();
  items.pop_back();
}

std::string TExtList::GetFilterMask() const {
  std::string mask = "*";
  for (std::size_t i = 0; i < items.size(); ++i)
    mask += (i == 0 ? "" : ";*") + items[i].Utf8();
  return mask;
}

void TExtList::LoadFromIni() {
  const TIniDocument ini = TIniDocument::Load(ConfigIniForReading());
  const int32_t count = std::clamp(ini.ReadInteger(section, "Count", 0), 0, MaxCount);
  items.clear();
  items.reserve(static_cast<std::size_t>(count));
  for (int32_t n = 0; n < count; ++n)
    items.push_back(TExtString::FromUtf8(ini.ReadString(section, ExtKey(n), "")));
}

void TExtList::SaveToIni() const {
  std::vector<std::pair<std::string, std::string>> values{{"Count", IntToStr(Count())}};
  for (int32_t n = 0; n < Count(); ++n)
    values.emplace_back(ExtKey(n), items[static_cast<std::size_t>(n)].Utf8());
  TIniFile(ConfigIniPath()).WriteStrings(section, values);
}

int ReadCompressionLevel() {
  return TIniFile(ConfigIniForReading()).ReadInteger(zipSection, compressionKey, defaultCompressionLevel);
}

void WriteCompressionLevel(int level) { TIniFile(ConfigIniPath()).WriteInteger(zipSection, compressionKey, level); }

int ClampCompressionLevel(int level) { return level >= 0 && level <= 3 ? level : defaultCompressionLevel; }
