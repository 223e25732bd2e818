// The forward-reading stream that inflates one deflated entry of an archive.
#pragma once

#include "media/RawInflater.h"
#include "media/ZipEntryStream.h"

#include <array>
#include <cstdint>
#include <memory>

// Inflates the raw deflate data of an entry through the fastest engine of the build (RawInflater.h),
// which recognises the end of the deflate data exactly. Reads stop at the
// directory's UncompressedSize; reaching it checks that the data end there and that the CRC-32
// matches. Damaged data throw EZipError ("Soubor je poškozený: …"), never a silent short read.
// Seeking forward inflates and discards; seeking backward restarts from the entry's first byte;
// a negative position throws EStreamError; positions past the end clamp to the end.
class TZIPDecompressionStream : public TZipEntryStream {
public:
  // source must be positioned at the entry's first data byte; it is not owned.
  TZIPDecompressionStream(TStream &source, TEntryInfo entry, std::unique_ptr<TRawInflater> inflater = NewRawInflater());
  ~TZIPDecompressionStream() override;

  int64_t Read(void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void Verify() override;

private:
  void Reset();
  void Refill();
  // Inflates up to count bytes into output; fewer only when the deflate data have ended.
  int64_t Inflate(uint8_t *output, int64_t count);
  void Finish();
  void Discard(int64_t count);

  TStream &Source;
  int64_t StartPosition;
  int64_t SourcePosition;
  std::unique_ptr<TRawInflater> Inflater;
  std::array<uint8_t, 65536> InputBuffer{};
  int64_t UncompressedSize;

  int64_t position = 0; // bytes produced since the last Reset
  int64_t compressedLeft = 0;
  bool ended = false;
  bool finished = false;
};
