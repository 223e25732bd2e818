// Inflating an entry through zlib with the checks that tell a damaged entry from a sound one.
#include "media/ZipInflate.h"

#include "media/ZipErrors.h"

#include <algorithm>

namespace {
constexpr int64_t DiscardBlock = 4096;
constexpr int64_t LargestInflateCall = int64_t(1) << 30;
} // namespace

TZIPDecompressionStream::TZIPDecompressionStream(TStream &source, TEntryInfo entry, int levelHint)
    : TZipEntryStream(std::move(entry)), Source(source), StartPosition(source.Position()),
      SourcePosition(StartPosition), LevelHint(levelHint), UncompressedSize(Entry.UncompressedSize) {
  Reset();
}

TZIPDecompressionStream::~TZIPDecompressionStream() {
  if (initialised)
    inflateEnd(&ZStream);
}

void TZIPDecompressionStream::Reset() {
  SourcePosition = StartPosition;
  const int result = initialised ? inflateReset(&ZStream) : inflateInit(&ZStream);
  if (result != Z_OK)
    throw ZipErrors::InflateFailed(Entry.Name, zError(result));
  initialised = true;
  header[0] = 0x78;
  header[1] = LevelHint == 9 ? 0xDA : 0x01;
  ZStream.next_in = header;
  ZStream.avail_in = sizeof header;
  compressedLeft = Entry.CompressedSize;
  position = 0;
  trailerFed = ended = finished = false;
  RestartCheck();
}

void TZIPDecompressionStream::Refill() {
  Source.SetPosition(SourcePosition);
  const int64_t wanted = std::min<int64_t>(compressedLeft, InputBuffer.size());
  const int64_t got = Source.Read(InputBuffer.data(), wanted);
  if (got <= 0)
    throw ZipErrors::DataOutside(Entry.Name);
  SourcePosition += got;
  compressedLeft -= got;
  ZStream.next_in = InputBuffer.data();
  ZStream.avail_in = static_cast<uInt>(got);
}

// The archive leaves the zlib trailer out; once the entry's own bytes are used up, inflate gets
// the Adler-32 of what it produced, which ends a complete stream and fails an incomplete one.
void TZIPDecompressionStream::FeedTrailer() {
  const uLong adler = ZStream.adler;
  for (int i = 0; i < 4; ++i)
    trailer[i] = static_cast<uint8_t>(adler >> (24 - 8 * i));
  ZStream.next_in = trailer;
  ZStream.avail_in = sizeof trailer;
  trailerFed = true;
}

int64_t TZIPDecompressionStream::Inflate(uint8_t *output, int64_t count) {
  ZStream.next_out = output;
  ZStream.avail_out = static_cast<uInt>(count);
  while (ZStream.avail_out > 0 && !ended) {
    if (ZStream.avail_in == 0 && compressedLeft > 0)
      Refill();
    const int result = inflate(&ZStream, Z_NO_FLUSH);
    if (result == Z_STREAM_END) {
      ended = true;
      if (!trailerFed || ZStream.avail_in != 0)
        throw ZipErrors::InflateFailed(Entry.Name, ZipErrors::BytesAfterData);
    } else if (result == Z_BUF_ERROR && ZStream.avail_in == 0 && compressedLeft == 0) {
      if (trailerFed)
        throw ZipErrors::InflateFailed(Entry.Name, ZipErrors::DataCutShort);
      FeedTrailer();
    } else if (result != Z_OK) {
      throw ZipErrors::InflateFailed(Entry.Name, ZStream.msg ? ZStream.msg : zError(result));
    }
  }
  return count - ZStream.avail_out;
}

int64_t TZIPDecompressionStream::Read(void *buffer, int64_t count) {
  const int64_t wanted = std::clamp<int64_t>(count, 0, UncompressedSize - position);
  auto *output = static_cast<uint8_t *>(buffer);
  int64_t produced = 0;
  while (produced < wanted) {
    const int64_t n = Inflate(output + produced, std::min(wanted - produced, LargestInflateCall));
    if (n == 0)
      throw ZipErrors::EntryTooShort(Entry.Name, position, UncompressedSize);
    Track(position, output + produced, n);
    position += n;
    produced += n;
  }
  if (position == UncompressedSize)
    Finish();
  return produced;
}

// At UncompressedSize the deflate data must end as well, and the CRC must match.
void TZIPDecompressionStream::Finish() {
  if (finished)
    return;
  uint8_t extra[64];
  if (Inflate(extra, sizeof extra) != 0)
    throw ZipErrors::EntryTooLong(Entry.Name, UncompressedSize);
  finished = true;
  CheckCrc();
}

void TZIPDecompressionStream::Discard(int64_t count) {
  uint8_t scrap[DiscardBlock];
  while (count > 0) {
    const int64_t n = Read(scrap, std::min(count, DiscardBlock));
    if (n == 0)
      break;
    count -= n;
  }
}

int64_t TZIPDecompressionStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target = offset;
  if (origin == TSeekOrigin::soCurrent)
    target += position;
  else if (origin == TSeekOrigin::soEnd)
    target += UncompressedSize;
  if (target < 0)
    throw EStreamError("Invalid stream position");
  target = std::min(target, UncompressedSize);
  if (target == position)
    return position;
  if (target < position)
    Reset();
  Discard(target - position);
  return position;
}

void TZIPDecompressionStream::Verify() {
  Discard(UncompressedSize - position);
  Finish();
}
