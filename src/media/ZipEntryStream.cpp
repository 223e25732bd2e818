// The entry streams' integrity check and the stored entry's window.
#include "media/ZipEntryStream.h"

#include "media/CalcCRC.h"
#include "media/ZipErrors.h"

#include <algorithm>
#include <vector>

int64_t TZipEntryStream::Write(const void *, int64_t) { throw EStreamError("Invalid operation"); }

void TZipEntryStream::Track(int64_t position, const uint8_t *data, int64_t count) {
  if (position != covered || count <= 0)
    return;
  crc = UpdateCrc32(crc, data, static_cast<std::size_t>(count));
  covered += count;
}

void TZipEntryStream::CheckCrc() {
  if (checked || covered != Entry.UncompressedSize)
    return;
  checked = true;
  if (crc != Entry.Crc32)
    throw ZipErrors::CrcMismatch(Entry.Name);
}

void TZipEntryStream::RestartCheck() {
  crc = 0;
  covered = 0;
}

TStoredStream::TStoredStream(TStream &source, TEntryInfo entry)
    : TZipEntryStream(std::move(entry)), Source(source), EntrySize(Entry.UncompressedSize),
      StartPosition(source.Position()), CurrentPosition(StartPosition) {}

int64_t TStoredStream::Read(void *buffer, int64_t count) {
  const int64_t position = CurrentPosition - StartPosition;
  const int64_t wanted = std::clamp<int64_t>(count, 0, EntrySize - position);
  if (wanted == 0) {
    if (EntrySize == 0)
      Verify();
    return 0;
  }
  Source.SetPosition(CurrentPosition);
  const int64_t got = Source.Read(buffer, wanted);
  if (got < wanted)
    throw ZipErrors::EntryTooShort(Entry.Name, position + got, EntrySize);
  CurrentPosition += got;
  Track(position, static_cast<const uint8_t *>(buffer), got);
  CheckCrc();
  return got;
}

int64_t TStoredStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target = offset;
  if (origin == TSeekOrigin::soCurrent)
    target += CurrentPosition - StartPosition;
  else if (origin == TSeekOrigin::soEnd)
    target += EntrySize;
  const int64_t p = std::clamp<int64_t>(target, 0, EntrySize);
  CurrentPosition = StartPosition + p;
  return p;
}

void TStoredStream::Verify() {
  CheckCrc();
  if (Checked())
    return;
  const int64_t kept = CurrentPosition;
  std::vector<uint8_t> buffer(std::min<int64_t>(EntrySize, 1 << 16));
  Seek(Covered(), TSeekOrigin::soBeginning);
  while (!Checked())
    Read(buffer.data(), static_cast<int64_t>(buffer.size()));
  CurrentPosition = kept;
}
