// What the editor reads of an entry to show it: the whole data only up to a limit, and a wave file's facts.
#include "media/EntryPreviewData.h"

#include "media/FileListItems.h"
#include "media/MediaMessages.h"
#include "platform/IntegerText.h"
#include "platform/LittleEndian.h"

#include <algorithm>
#include <cstring>

int64_t BoundedEntrySize(const TFileListItem &entry, int64_t limit) {
  if (entry.Size > limit)
    throw EEntryTooLarge(Substitute(MediaMessages::EntryTooLarge, {IntToStr(entry.Size), IntToStr(limit)}));
  return entry.Size;
}

namespace {
constexpr uint16_t formatExtensible = 0xFFFE;

bool IsTag(const uint8_t *bytes, const char *tag) { return std::memcmp(bytes, tag, 4) == 0; }
} // namespace

TWaveFacts ReadWaveFacts(const uint8_t *data, std::size_t size, int64_t fileSize) {
  TByteReader reader(data, size, [] { throw EWaveFormatError(MediaMessages::WaveCutShort); });
  if (size < 12 || !IsTag(data, "RIFF") || !IsTag(data + 8, "WAVE"))
    throw EWaveFormatError(MediaMessages::NotAWave);
  reader.Raw(12);
  TWaveFacts facts;
  bool haveFormat = false;
  for (;;) {
    const uint8_t *id = reader.Raw(4);
    const uint32_t chunkSize = reader.U32();
    const int64_t chunkStart = static_cast<int64_t>(size - reader.Left());
    if (IsTag(id, "data")) {
      if (!haveFormat)
        throw EWaveFormatError(MediaMessages::WaveWithoutFormat);
      facts.DataBytes = std::max<int64_t>(0, std::min<int64_t>(chunkSize, fileSize - chunkStart));
      return facts;
    }
    if (IsTag(id, "fmt ")) {
      if (chunkSize < 16)
        throw EWaveFormatError(MediaMessages::WaveCutShort);
      facts.FormatTag = reader.U16();
      facts.Channels = reader.U16();
      facts.SampleRate = reader.U32();
      facts.BytesPerSecond = reader.U32();
      const uint16_t blockAlign = reader.U16();
      facts.BitsPerSample = reader.U16();
      if (facts.FormatTag == formatExtensible && chunkSize >= 40) {
        reader.Raw(8); // extension size, valid bits, channel mask
        facts.FormatTag = reader.U16(); // the sub-format GUID starts with the format tag it stands for
        reader.Raw(14);
        reader.Raw(chunkSize - 40);
      } else {
        reader.Raw(chunkSize - 16);
      }
      if (facts.BytesPerSecond == 0)
        facts.BytesPerSecond = facts.SampleRate * blockAlign;
      haveFormat = true;
    } else {
      reader.Raw(chunkSize);
    }
    if (chunkSize % 2 == 1 && reader.Left() > 0)
      reader.Raw(1); // chunks are padded to an even size
  }
}
