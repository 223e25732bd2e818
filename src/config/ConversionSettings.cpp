// Whether pictures and sounds are converted as they are added, kept in config.ini, section "Conversion".
#include "config/ConversionSettings.h"

#include "platform/AppFolder.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <string>

namespace {
const char *const section = "Conversion";
} // namespace

TConversionSettings ReadConversionSettings() {
  const TIniFile ini(ConfigIniPath());
  TConversionSettings settings;
  settings.Pictures = ini.ReadInteger(section, "Pictures", 1) != 0;
  settings.Sounds = ini.ReadInteger(section, "Sounds", 1) != 0;
  const int rate = ini.ReadInteger(section, "SampleRate", 0);
  settings.SampleRate = std::find(OfferedSampleRates.begin(), OfferedSampleRates.end(), rate) != OfferedSampleRates.end() ? rate : 0;
  return settings;
}

void WriteConversionSettings(const TConversionSettings &settings) {
  TIniFile(ConfigIniPath())
      .WriteStrings(section, {{"Pictures", settings.Pictures ? "1" : "0"},
                              {"Sounds", settings.Sounds ? "1" : "0"},
                              {"SampleRate", std::to_string(settings.SampleRate)}});
}
