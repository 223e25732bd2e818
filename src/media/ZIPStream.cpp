// The archive object: entry lookup, entry streams, staging new entries, and extracting an entry.
#include "media/ZIPStream.h"

#include "media/CalcCRC.h"
#include "media/ParallelDeflate.h"
#include "media/ZipDeflate.h"
#include "media/ZipInflate.h"

#include <algorithm>

namespace {

constexpr int64_t CopyChunk = 1 << 20;
constexpr uint32_t Zip64Marker = 0xFFFFFFFF;
constexpr uint16_t MethodWinZipAes = 99;

int FoldedCompare(const std::string &a, const std::string &b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int x = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + 32 : static_cast<unsigned char>(a[i]);
    const int y = (b[i] >= 'A' && b[i] <= 'Z') ? b[i] + 32 : static_cast<unsigned char>(b[i]);
    if (x != y)
      return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

void THeaderList::Sort() {
  std::stable_sort(items.begin(), items.end(), [](const auto &a, const auto &b) {
    const int folded = FoldedCompare(a->FileName, b->FileName);
    return folded != 0 ? folded < 0 : a->FileName < b->FileName;
  });
}

TZip::TZip() = default;
TZip::~TZip() = default;

int TZip::IndexOf(const std::string &name) const {
  if (name.empty())
    return -1;
  int low = 0;
  int high = Count() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int order = FoldedCompare(name, Headers[middle].FileName);
    if (order == 0)
      return middle;
    if (order < 0)
      high = middle - 1;
    else
      low = middle + 1;
  }
  return -1;
}

void TZip::CheckReadable(const TFileHeader &header) const {
  if (header.CompressedSize == Zip64Marker || header.UncompressedSize == Zip64Marker ||
      header.LocalHeaderOffset == Zip64Marker)
    throw ZipErrors::Zip64();
  if ((header.Flags & (FlagEncrypted | FlagStrongEncryption)) != 0 || header.Method == MethodWinZipAes)
    throw ZipErrors::Encrypted(header.FileName);
  if (header.Method != MethodStored && header.Method != MethodDeflated)
    throw ZipErrors::UnsupportedMethod(header.FileName, header.Method);
  if (header.Method == MethodStored && header.CompressedSize != header.UncompressedSize)
    throw ZipErrors::StoredSizeMismatch(header.FileName);
}

int64_t TZip::LocalHeaderPosition(const TFileHeader &header) const {
  return header.Origin == TEntryOrigin::Archive ? ArchiveStart + header.LocalHeaderOffset
                                                : int64_t(header.LocalHeaderOffset);
}

// The first data byte: behind the local header's own name and extra field, which may differ in
// length from the central directory's.
int64_t TZip::DataPosition(const TFileHeader &header) const {
  const int64_t at = LocalHeaderPosition(header);
  if (header.Origin == TEntryOrigin::Staged)
    return at + int64_t(LocalHeaderSize) + header.FileNameLength;
  if (at + int64_t(LocalHeaderSize) > DirectoryStart)
    throw ZipErrors::BadLocalHeader(header.FileName);
  std::vector<uint8_t> block(LocalHeaderSize);
  header.Stream->SetPosition(at);
  header.Stream->ReadBuffer(block.data(), int64_t(LocalHeaderSize));
  TByteReader reader(block, RecordCutShort);
  TLocalHeader local;
  if (reader.U32() != LocalHeaderSignature)
    throw ZipErrors::BadLocalHeader(header.FileName);
  local.Read(reader);
  CheckLocalAgrees(header, local, at);
  const int64_t data = at + int64_t(LocalHeaderSize) + local.FileNameLength + local.ExtraFieldLength;
  if (data + header.CompressedSize > DirectoryStart)
    throw ZipErrors::DataOutside(header.FileName);
  return data;
}

// What a reader relies on must say the same in the local header as in the central directory: its name,
// method and flags, and its CRC-32 and sizes unless a data descriptor carries them behind the data.
void TZip::CheckLocalAgrees(const TFileHeader &header, const TLocalHeader &local, int64_t at) const {
  const auto mismatch = [&](const char *field) { throw ZipErrors::LocalHeaderMismatch(header.FileName, field); };
  if (at + int64_t(LocalHeaderSize) + local.FileNameLength > DirectoryStart)
    throw ZipErrors::BadLocalHeader(header.FileName);
  std::string name(local.FileNameLength, '\0');
  header.Stream->ReadBuffer(name.data(), local.FileNameLength);
  name.resize(std::min(name.size(), name.find('\0')));
  if (FromArchiveName(name) != header.FileName)
    mismatch("název");
  if (local.Method != header.Method)
    mismatch("metoda");
  if (local.Flags != header.Flags)
    mismatch("příznaky");
  if (((local.Flags | header.Flags) & FlagDataDescriptor) != 0)
    return;
  if (local.Crc32 != header.Crc32)
    mismatch("CRC-32");
  if (local.CompressedSize != header.CompressedSize)
    mismatch("komprimovaná velikost");
  if (local.UncompressedSize != header.UncompressedSize)
    mismatch("velikost");
}

int TZip::MatchCount(const std::string &name) const {
  int count = 0;
  for (int i = 0; i < Count(); ++i)
    count += FoldedCompare(name, Headers[i].FileName) == 0;
  return count;
}

std::unique_ptr<TZipEntryStream> TZip::GetEntryStream(const std::string &name) {
  const int index = IndexOf(name);
  if (index < 0 || Headers[index].Origin == TEntryOrigin::Streamed)
    return nullptr;
  const TFileHeader &header = Headers[index];
  CheckReadable(header);
  header.Stream->SetPosition(DataPosition(header));
  TEntryInfo info{header.FileName, header.Crc32, header.CompressedSize, header.UncompressedSize};
  if (header.Method == MethodDeflated)
    return std::make_unique<TZIPDecompressionStream>(*header.Stream, std::move(info));
  return std::make_unique<TStoredStream>(*header.Stream, std::move(info));
}

int64_t TZip::ExtractEntry(const std::string &name, TStream &target, const TZipProgress &progress) {
  std::unique_ptr<TZipEntryStream> entry = GetEntryStream(name);
  if (!entry)
    throw ZipErrors::MissingEntry(name);
  const int64_t total = entry->Size();
  std::vector<uint8_t> buffer(static_cast<std::size_t>(std::clamp<int64_t>(total, 1, CopyChunk)));
  int64_t done = 0;
  while (done < total) {
    const int64_t n = entry->Read(buffer.data(), std::min<int64_t>(total - done, int64_t(buffer.size())));
    target.WriteBuffer(buffer.data(), n);
    done += n;
    if (progress)
      progress(done, total);
  }
  entry->Verify();
  return done;
}

std::unique_ptr<TFileHeader> TZip::NewHeader(const std::string &name, int level) {
  if (name.size() > MaxEntryNameLength)
    throw ZipErrors::NameTooLong(name.size());
  const TLevelSettings settings = LevelSettings(level);
  auto header = std::make_unique<TFileHeader>();
  header->FileName = name;
  header->FileNameLength = static_cast<uint16_t>(name.size());
  header->VersionMadeBy = 20;
  header->VersionNeeded = 20;
  header->FileDateTime = DosDateTime(FixedTime.value_or(Now()));
  header->Flags = settings.Flags;
  header->Method = settings.Method;
  header->Level = settings.Level;
  header->IsDirectory = EndsWithBackslash(name);
  return header;
}

void TZip::AddEntry(const std::string &name, const void *data, int level, uint32_t size) {
  if (name.empty())
    return;
  std::unique_ptr<TFileHeader> header = NewHeader(name, level);
  RemoveEntry(name);
  const int64_t offset = Staging.Size();
  if (offset > int64_t(UINT32_MAX))
    throw ZipErrors::TooLarge();
  header->UncompressedSize = size;
  header->Stream = &Staging;
  header->Origin = TEntryOrigin::Staged;
  header->Crc32 = UpdateCrc32(0, data, size);
  header->LocalHeaderOffset = static_cast<uint32_t>(offset);

  const uint8_t reserved[LocalHeaderSize] = {};
  const std::string archiveName = ToArchiveName(name);
  Staging.Seek(0, TSeekOrigin::soEnd);
  Staging.WriteBuffer(reserved, int64_t(LocalHeaderSize));
  Staging.WriteBuffer(archiveName.data(), int64_t(archiveName.size()));
  if (header->Method == MethodStored) {
    header->CompressedSize = size;
    Staging.WriteBuffer(data, size);
  } else {
    // The same deflate as a streamed entry's, so that both give the same bytes.
    TMemoryStream source;
    source.WriteBuffer(data, size);
    source.SetPosition(0);
    const auto append = [&](const uint8_t *bytes, std::size_t count) { Staging.WriteBuffer(bytes, int64_t(count)); };
    try {
      const TDeflatedStream deflated = DeflateInChunks(source, size, header->Level, append);
      if (deflated.CompressedSize > int64_t(UINT32_MAX))
        throw ZipErrors::TooLarge();
      header->CompressedSize = static_cast<uint32_t>(deflated.CompressedSize);
    } catch (...) {
      Staging.SetSize(offset); // the staged entries stay as they were
      throw;
    }
  }
  Headers.Add(std::move(header));
  Headers.Sort();
}

void TZip::AddEntryFrom(const std::string &name, TStream &source, int level) {
  if (name.empty())
    return;
  std::unique_ptr<TFileHeader> header = NewHeader(name, level);
  RemoveEntry(name);
  header->Stream = &source;
  header->Origin = TEntryOrigin::Streamed;
  Headers.Add(std::move(header));
  Headers.Sort();
}

void TZip::RemoveEntry(const std::string &name) {
  const int index = IndexOf(name);
  if (index < 0)
    return;
  const TFileHeader &removed = Headers[index];
  if (removed.Origin == TEntryOrigin::Staged) {
    const int64_t start = removed.LocalHeaderOffset;
    const int64_t length = int64_t(LocalHeaderSize) + removed.FileNameLength + removed.CompressedSize;
    for (int i = 0; i < Count(); ++i) {
      TFileHeader &other = Headers[i];
      if (other.Origin == TEntryOrigin::Staged && other.LocalHeaderOffset > start)
        other.LocalHeaderOffset -= static_cast<uint32_t>(length);
    }
    uint8_t *bytes = Staging.Memory();
    const int64_t size = Staging.Size();
    std::copy(bytes + start + length, bytes + size, bytes + start);
    Staging.SetSize(size - length);
  }
  Headers.Delete(index);
}
