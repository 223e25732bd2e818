// What the editor reads of an entry to show it: the whole data only up to a limit, and a wave file's facts.
#pragma once

#include "platform/Exceptions.h"

#include <cstdint>
#include <string>

class TFileListItem;
class TMediaStream;

// The most bytes of one entry that are read to show it; a larger entry is refused before anything is read.
constexpr int64_t EntryPreviewLimit = int64_t{64} << 20;
// A wave file's header and the chunks before its data lie within its first bytes; this many are read for its facts.
constexpr int64_t WaveHeaderReadSize = int64_t{1} << 20;

// An entry larger than the reader takes.
class EEntryTooLarge : public Exception {
public:
  using Exception::Exception;
};

// A file that is not a RIFF WAVE file, or whose header is cut short.
class EWaveFormatError : public Exception {
public:
  using Exception::Exception;
};

// The entry's size when it is at most limit bytes; EEntryTooLarge, naming both sizes, otherwise.
int64_t BoundedEntrySize(const TFileListItem &entry, int64_t limit);

struct TWaveFacts {
  uint16_t FormatTag = 0; // 1 PCM, 3 IEEE float, 0xFFFE extensible, anything else compressed
  uint16_t Channels = 0;
  uint32_t SampleRate = 0;
  uint16_t BitsPerSample = 0;
  uint32_t BytesPerSecond = 0;
  // The sound data present: the data chunk's declared size, cut to what the file holds.
  int64_t DataBytes = 0;
  // DataBytes played at BytesPerSecond; 0 when the rate is unknown.
  double Seconds() const { return BytesPerSecond ? static_cast<double>(DataBytes) / BytesPerSecond : 0.0; }
};

// Reads the facts from the first size bytes of a wave file of fileSize bytes (its header must lie within them).
// Throws EWaveFormatError with a Czech text for anything that is no wave file or whose header is incomplete.
TWaveFacts ReadWaveFacts(const uint8_t *data, std::size_t size, int64_t fileSize);
