// Inflating an entry with the checks that tell a damaged entry from a sound one.
#include "media/ZipInflate.h"

#include "media/ZipErrors.h"

#include <algorithm>

namespace {
constexpr int64_t DiscardBlock = 4096;
constexpr int64_t LargestInflateCall = int64_t(1) << 30;
} // namespace

TZIPDecompressionStream::TZIPDecompressionStream(TStream &source, TEntryInfo entry,
                                                 std::unique_ptr<TRawInflater> inflater)
    : TZipEntryStream(std::move(entry)), Source(source), StartPosition(source.Position()),
      SourcePosition(StartPosition), Inflater(std::move(inflater)), UncompressedSize(Entry.UncompressedSize) {
  Reset();
}

TZIPDecompressionStream::~TZIPDecompressionStream() = default;

void TZIPDecompressionStream::Reset() {
  SourcePosition = StartPosition;
  Inflater->Reset();
  compressedLeft = Entry.CompressedSize;
  position = 0;
  ended = finished = false;
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
  Inflater->SetInput(InputBuffer.data(), static_cast<std::size_t>(got));
}

// The deflate data must end exactly with the entry's compressed bytes: bytes left over or data cut
// short both mean a damaged entry.
int64_t TZIPDecompressionStream::Inflate(uint8_t *output, int64_t count) {
  int64_t produced = 0;
  while (produced < count && !ended) {
    if (Inflater->InputLeft() == 0 && compressedLeft > 0)
      Refill();
    std::size_t n = 0;
    try {
      n = Inflater->Inflate(output + produced, static_cast<std::size_t>(std::min(count - produced, LargestInflateCall)));
    } catch (const EInflateDamage &damage) {
      throw ZipErrors::InflateFailed(Entry.Name, damage.what());
    }
    produced += static_cast<int64_t>(n);
    if (Inflater->Ended()) {
      ended = true;
      if (Inflater->InputLeft() != 0 || compressedLeft != 0)
        throw ZipErrors::InflateFailed(Entry.Name, ZipErrors::BytesAfterData);
    } else if (n == 0 && Inflater->InputLeft() == 0 && compressedLeft == 0) {
      throw ZipErrors::InflateFailed(Entry.Name, ZipErrors::DataCutShort);
    }
  }
  return produced;
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
