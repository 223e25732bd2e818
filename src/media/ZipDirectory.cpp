// Opening an archive: finding its end record and reading the central directory, with every count,
// offset and length checked against the bytes that are really there.
#include "media/ZIPStream.h"

#include <algorithm>

namespace {

// The end record sits at most a 65,535-byte comment before the end; a little trailing junk
// (a signature block, a copy tool's padding) is tolerated beyond that.
constexpr int64_t EndSearchSpan = DirectoryEndSize + 0xFFFF + 4096;

struct TEndRecord {
  int64_t Position = -1;
  TCentralDirectoryEnd End;
  int64_t ArchiveStart = 0;
  bool Zip64 = false;
  int Score = -1;
};

std::vector<uint8_t> ReadAt(TStream &stream, int64_t position, int64_t count) {
  std::vector<uint8_t> bytes(static_cast<std::size_t>(count));
  stream.SetPosition(position);
  stream.ReadBuffer(bytes.data(), count);
  return bytes;
}

uint32_t SignatureAt(TStream &stream, int64_t position, int64_t size) {
  if (position < 0 || position + 4 > size)
    return 0;
  const std::vector<uint8_t> bytes = ReadAt(stream, position, 4);
  TByteReader reader(bytes, RecordCutShort);
  return reader.U32();
}

// Rates a candidate end record: a directory that ends right where the record starts counts most,
// then one found at its offset, then one found behind prepended data (offsets counting from the
// archive's own start); a comment that ends the file decides between equals.
// This prefers the real record over a decoy archive hidden in a comment.
TEndRecord RateCandidate(TStream &stream, int64_t size, int64_t position, const TCentralDirectoryEnd &end) {
  TEndRecord record;
  record.Position = position;
  record.End = end;
  record.Zip64 = SignatureAt(stream, position - 20, size) == Zip64LocatorSignature ||
                 end.CentralDirectoryOffset == 0xFFFFFFFF || end.CentralDirectorySize == 0xFFFFFFFF;
  const int64_t directoryEnd = int64_t(end.CentralDirectoryOffset) + end.CentralDirectorySize;
  record.Score = 0;
  if (record.Zip64 || directoryEnd == position) {
    record.Score += 8;
  } else if (SignatureAt(stream, end.CentralDirectoryOffset, size) == CentralHeaderSignature) {
    record.Score += 6; // the directory's size is off, its offset is right
  } else if (directoryEnd < position && end.CentralDirectorySize > 0 &&
             SignatureAt(stream, position - end.CentralDirectorySize, size) == CentralHeaderSignature) {
    record.ArchiveStart = position - directoryEnd;
    record.Score += 4;
  }
  const int64_t commentEnd = position + int64_t(DirectoryEndSize) + end.CommentLength;
  if (commentEnd == size)
    record.Score += 2;
  else if (commentEnd < size)
    record.Score += 1;
  return record;
}

// A file without an end record that starts like an archive is one cut short (a copy or download that stopped).
EZipError NoEndRecord(TStream &stream, int64_t size) {
  return SignatureAt(stream, 0, size) == LocalHeaderSignature ? ZipErrors::Truncated() : ZipErrors::NotZip();
}

TEndRecord FindDirectoryEnd(TStream &stream, int64_t size) {
  const int64_t tailStart = size - std::min(size, EndSearchSpan);
  const std::vector<uint8_t> tail = ReadAt(stream, tailStart, size - tailStart);
  TEndRecord best;
  for (int64_t p = static_cast<int64_t>(tail.size()) - int64_t(DirectoryEndSize); p >= 0; --p) {
    if (tail[p] != 'P' || tail[p + 1] != 'K' || tail[p + 2] != 5 || tail[p + 3] != 6)
      continue;
    TByteReader reader(tail.data() + p + 4, DirectoryEndSize - 4, RecordCutShort);
    TCentralDirectoryEnd end;
    end.Read(reader);
    const TEndRecord candidate = RateCandidate(stream, size, tailStart + p, end);
    if (candidate.Score > best.Score)
      best = candidate;
  }
  if (best.Position < 0)
    throw NoEndRecord(stream, size);
  return best;
}

} // namespace

void TZip::Open(TStream *stream) {
  Headers.Clear();
  Staging.SetSize(0);
  Source = stream;
  ArchiveStart = DirectoryStart = 0;
  if (stream == nullptr)
    return;
  const int64_t size = stream->Size();
  if (size < int64_t(DirectoryEndSize))
    throw NoEndRecord(*stream, size);

  const TEndRecord record = FindDirectoryEnd(*stream, size);
  const TCentralDirectoryEnd &end = record.End;
  if (record.Zip64)
    throw ZipErrors::Zip64();
  if (end.DiskNumber != 0 || end.CentralDirectoryDisk != 0)
    throw ZipErrors::MultiDisk();
  if (end.EntriesOnDisk != end.TotalEntries)
    throw ZipErrors::EntryCountMismatch();
  ArchiveStart = record.ArchiveStart;
  DirectoryStart = ArchiveStart + end.CentralDirectoryOffset;
  if (DirectoryStart > record.Position)
    throw ZipErrors::DirectoryOutside();
  // The directory fills exactly the bytes between its offset and the end record, as its size says: readers
  // that trust either figure alone would see different archives.
  if (DirectoryStart + int64_t(end.CentralDirectorySize) != record.Position)
    throw ZipErrors::DirectorySizeMismatch();

  int64_t position = DirectoryStart;
  for (int i = 0; i < end.TotalEntries; ++i) {
    if (position + int64_t(CentralHeaderSize) > record.Position)
      throw ZipErrors::DirectoryIncomplete(i, end.TotalEntries);
    const std::vector<uint8_t> block = ReadAt(*stream, position, CentralHeaderSize);
    TByteReader reader(block, RecordCutShort);
    if (reader.U32() != CentralHeaderSignature)
      throw ZipErrors::DirectoryIncomplete(i, end.TotalEntries);
    auto header = std::make_unique<TFileHeader>();
    header->ReadBlock(reader);
    if (header->FileNameLength > MaxEntryNameLength)
      throw ZipErrors::NameTooLong(header->FileNameLength);
    const int64_t recordSize = int64_t(CentralHeaderSize) + header->FileNameLength +
                               header->ExtraFieldLength + header->FileCommentLength;
    if (position + recordSize > record.Position)
      throw ZipErrors::DirectoryOutside();
    const std::vector<uint8_t> nameBytes = ReadAt(*stream, position + int64_t(CentralHeaderSize), header->FileNameLength);
    std::string name(nameBytes.begin(), nameBytes.end());
    name.resize(std::min(name.size(), name.find('\0')));
    header->FileName = FromArchiveName(name);
    header->IsDirectory = EndsWithBackslash(header->FileName);
    header->Stream = stream;
    header->Origin = TEntryOrigin::Archive;
    Headers.Add(std::move(header));
    position += recordSize;
  }
  if (position != record.Position)
    throw ZipErrors::DirectorySizeMismatch();
  Headers.Sort();
}
